#pragma once
// A two-state button drawn as a push button, one element of a numbered button array: a click
// flips its pressed look, its caption wraps onto as many lines as the button's face needs, and
// every pointer movement over it reports its index (the hover highlight of the launcher and of
// the result viewer's plot buttons). Space, Return and Enter press it, and it reports when the
// keyboard reaches it, which opens what the pointer opens by hovering.

#include <QPushButton>

#include <vector>

namespace calvex::widgets {

class KeyButton : public QPushButton {
    Q_OBJECT

public:
    KeyButton(int index, const QString& caption, QWidget* parent = nullptr);

    // The caption wraps this far inside the face, so it never reaches a neighbour lying over the edge.
    static constexpr int faceMargin = 4;

    int index() const { return m_index; }
    void setBold(bool bold);
    bool isBold() const { return font().bold(); }
    void setColours(const QColor& face, const QColor& text);

    // Wide enough for the caption on one line, in the bold of the highlight too: a button that a
    // layout sizes never wraps it.
    QSize sizeHint() const override;

signals:
    void pointerMoved(int index);
    // The focus came to the button other than by a click, or a key pressed it.
    void keyboardReached(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
};

// Moves the bold highlight from button `highlight` to button `index` and remembers `index`;
// runs on every movement, also when the two are the same. Indices without a button are passed over.
void moveHighlight(const std::vector<KeyButton*>& buttons, int& highlight, int index);

} // namespace calvex::widgets
