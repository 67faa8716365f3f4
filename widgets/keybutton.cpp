#include "widgets/keybutton.h"

#include "widgets/colours.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace calvex::widgets {

KeyButton::KeyButton(int index, const QString& caption, QWidget* parent) : QPushButton(caption, parent), m_index(index)
{
    setCheckable(true);
    setMouseTracking(true);
    setAutoDefault(false);
}

void KeyButton::setBold(bool bold)
{
    QFont face = font();
    face.setBold(bold);
    setFont(face);
}

void KeyButton::setColours(const QColor& face, const QColor& text) { setFixedColours(*this, text, face); }

QSize KeyButton::sizeHint() const
{
    QSize hint = QPushButton::sizeHint();
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(), hint);
    const int frame = hint.width() - style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
    QFont bold = font();
    bold.setBold(true);
    hint.setWidth(std::max(hint.width(), QFontMetrics(bold).size(0, text()).width() + 2 * faceMargin + frame));
    return hint;
}

void KeyButton::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(m_index);
    QPushButton::mouseMoveEvent(event);
}

void KeyButton::enterEvent(QEnterEvent* event)
{
    emit pointerMoved(m_index);
    QPushButton::enterEvent(event);
}

void KeyButton::focusInEvent(QFocusEvent* event)
{
    QPushButton::focusInEvent(event);
    // A click comes after the pointer's movement over the button, which already reported it.
    if (event->reason() != Qt::MouseFocusReason)
        emit keyboardReached(m_index);
}

void KeyButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A push button outside a dialog lets Return pass by; this one is pressed by it too.
        if (!event->isAutoRepeat()) {
            emit keyboardReached(m_index);
            click();
        }
        return;
    case Qt::Key_Space:
    case Qt::Key_Select:
        if (!event->isAutoRepeat())
            emit keyboardReached(m_index);
        break;
    default:
        break;
    }
    QPushButton::keyPressEvent(event);
}

void KeyButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect face =
        style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(faceMargin, 0, -faceMargin, 0);
    if (isDown() || isChecked())
        face.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(face, Qt::AlignCenter | Qt::TextWordWrap, text());
}

void moveHighlight(const std::vector<KeyButton*>& buttons, int& highlight, int index)
{
    const auto button = [&](int i) -> KeyButton* {
        return i >= 0 && i < static_cast<int>(buttons.size()) ? buttons[static_cast<std::size_t>(i)] : nullptr;
    };
    if (KeyButton* previous = button(highlight))
        previous->setBold(false);
    if (KeyButton* current = button(index))
        current->setBold(true);
    highlight = index;
}

} // namespace calvex::widgets
