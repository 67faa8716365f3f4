#include "widgets/qtui.h"

#include "widgets/windowhistory.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace calvex::widgets {
namespace {

// A box without a title of its own bears the program's title.
QString titleOrDefault(const std::string& title)
{
    return title.empty() ? QStringLiteral("Calvex") : QString::fromStdString(title);
}

// A box must not open behind a window that stays on top (the chart window), where it would
// hold the program without being seen.
void keepAboveTopmostWindows(QWidget& box)
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &box && window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
    }
}

// A text may hold a name the user typed or a file holds: markup in it is shown, not obeyed.
// None of the program's own texts uses markup.
void showAsPlainText(QMessageBox& box) { box.setTextFormat(Qt::PlainText); }

} // namespace

void QtUi::message(const std::string& text, const std::string& title) { message(text, title, Icon::None); }

void QtUi::message(const std::string& text, const std::string& title, Icon icon)
{
    const QMessageBox::Icon shown = icon == Icon::Information   ? QMessageBox::Information
                                    : icon == Icon::Exclamation ? QMessageBox::Warning
                                                                : QMessageBox::NoIcon;
    QMessageBox box(shown, titleOrDefault(title), QString::fromStdString(text), QMessageBox::Ok, dialogParent());
    showAsPlainText(box);
    keepAboveTopmostWindows(box);
    box.exec();
}

std::string QtUi::ask(const std::string& prompt, const std::string& title, const std::string& defaultText)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(titleOrDefault(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    // The input dialog has no text format of its own: its prompt is its only label.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(QString::fromStdString(defaultText));
    keepAboveTopmostWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue().toStdString();
}

bool QtUi::yesNo(const std::string& text, const std::string& title, Question kind)
{
    const bool warning = kind == Question::Warning;
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::NoIcon, titleOrDefault(title),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, dialogParent());
    box.setDefaultButton(warning ? QMessageBox::No : QMessageBox::Yes);
    showAsPlainText(box);
    keepAboveTopmostWindows(box);
    return box.exec() == QMessageBox::Yes;
}

void QtUi::showModal(services::ModalDialog& dialog)
{
    if (auto* window = dynamic_cast<QWidget*>(&dialog))
        adoptDialog(*window);
    dialog.runModal();
}

} // namespace calvex::widgets
