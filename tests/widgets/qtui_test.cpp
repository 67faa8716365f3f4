// The boxes on screen show a text as typed: a component name that looks like markup is shown,
// not obeyed, in a message, a question and an input prompt alike.
#include "widgets/qtui.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace calvex::widgets {
namespace {

const QString markup = QStringLiteral("<b>bold</b><i>x");

TEST(QtUi, TextsThatLookLikeMarkupAreShownAsTyped)
{
    QtUi ui;
    const std::string text = markup.toStdString();
    const struct {
        const char* what;
        std::function<void()> show;
    } rows[] = {
        {"message", [&] { ui.message(text, "Please note"); }},
        {"message with an icon", [&] { ui.message(text, "Please note", services::Ui::Icon::Exclamation); }},
        {"question", [&] { ui.yesNo(text, "Delete component", services::Ui::Question::Warning); }},
        {"prompt", [&] { ui.ask(text, "", ""); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            for (const QLabel* label : box->findChildren<QLabel*>()) {
                if (label->text() == markup) {
                    seen = true;
                    EXPECT_EQ(label->textFormat(), Qt::PlainText);
                }
            }
            box->reject();
        });
        row.show();
        EXPECT_TRUE(seen);
    }
}

} // namespace
} // namespace calvex::widgets
