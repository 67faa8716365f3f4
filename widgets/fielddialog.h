#pragma once
// The common form of the data-entry dialogs: a row of text boxes `Text1`(0..n-1) with their key
// filters and a confirm button `Command1`. The dialog is run modally through ui().showModal();
// it closes by hiding, so callers read its boxes afterwards and the texts stay for the next
// request until the dialog is unloaded.

#include "services/keyfilter.h"
#include "services/ui.h"
#include "widgets/windowplacement.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace calvex::widgets {

class FieldDialog : public QDialog, public services::ModalDialog {
    Q_OBJECT

public:
    std::string dialogName() const override;
    int fieldCount() const override;
    std::string fieldText(int index) const override;
    // Enters the box (as a click or Tab would, so its focus handling runs), selects its text and
    // types `text` over it through the box's key filter.
    void typeFieldText(int index, const std::string& text) override;
    void confirm() override;
    void runModal() override;

    // Box `index` of the control array, nullptr outside it.
    QLineEdit* Text1(int index) const;
    QPushButton* Command1() const { return m_confirm; }
    // The leading-number value of box `index` (an empty box reads 0).
    double fieldValue(int index) const;

    virtual void Command1_Click() = 0;
    virtual void Text1_GotFocus(int index);

protected:
    // A dialog whose inner area is fixed at `widthTwips` by `heightTwips`.
    FieldDialog(double widthTwips, double heightTwips, QWidget* parent);

    // Adds the next box of the array; `filter` empty takes every key.
    QLineEdit* addBox(std::optional<services::KeyFilter> filter, const TwipsRect& rect);
    QLabel* addLabel(const QString& text, const TwipsRect& rect);
    // The confirm button, centred across the dialog at `topTwips`.
    void addConfirmButton(const QString& caption, double topTwips);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QLineEdit*> m_boxes;
    std::vector<std::optional<services::KeyFilter>> m_filters;
    QPushButton* m_confirm = nullptr;
    double m_widthTwips;
};

} // namespace calvex::widgets
