// Every way text can enter a filtered number box goes through its filter.

#include "widgets/filteredbox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace calvex::widgets {
namespace {

void pasteByKey(QLineEdit& box) { QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier); }

void pasteFromMenu(QLineEdit& box)
{
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QStringLiteral("&Paste")))
                action->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), box.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&box, &event);
}

void composeClipboardText(QLineEdit& box)
{
    QInputMethodEvent event;
    event.setCommitString(QGuiApplication::clipboard()->text());
    QApplication::sendEvent(&box, &event);
}

TEST(FilteredBox, PastesAndComposedTextPassTheFilter)
{
    const struct {
        const char* how;
        std::function<void(QLineEdit&)> enter;
        const char* clipboard;
        const char* expected;
    } ways[] = {
        {"Ctrl+V", pasteByKey, " 12.57\n", "912.57"},        // blanks around a copied number do not count
        {"Ctrl+V", pasteByKey, "1e40", "9"},                 // taken whole or not at all, never as 140
        {"the box's menu", pasteFromMenu, "12.57", "912.57"},
        {"the box's menu", pasteFromMenu, "-12", "9"},
        {"an input method", composeClipboardText, "-1e2a.5.7", "912.57"}, // composed keys are typed one by one
    };
    for (const auto& way : ways) {
        QLineEdit box;
        setKeyFilter(box, services::KeyFilter::UnsignedNumber);
        box.show();
        box.setText(QStringLiteral("9"));
        QGuiApplication::clipboard()->setText(QString::fromUtf8(way.clipboard));
        way.enter(box);
        EXPECT_EQ(box.text(), QString::fromUtf8(way.expected)) << way.how << " " << way.clipboard;
        EXPECT_FALSE(box.acceptDrops()) << "a drop would bring the text in whole";
    }
}

// The filter is asked once for each character, given the text the box would hold by then;
// what passes but finds the box full is not taken.
TEST(FilteredBox, TypingCountsWhatTheBoxTook)
{
    const struct {
        const char* typed; // into a box holding 9 that holds at most 5 characters
        const char* expected;
        std::size_t taken;
        const char* seen; // the texts the filter was given, one per character
    } rows[] = {
        {"12x3456", "91234", 4, "9|91|912|912|9123|91234|91234"},
        {"1\b\b\b23456", "23456", 9, "9|91|9|||2|23|234|2345"}, // Backspace erases what the box held
    };
    for (const auto& row : rows) {
        QLineEdit box;
        box.setMaxLength(5);
        box.setText(QStringLiteral("9"));
        std::string seen;
        const KeyTest test = [&seen](std::string_view text, char key) {
            seen += (seen.empty() ? "" : "|") + std::string(text);
            return services::keyAccepted(services::KeyFilter::UnsignedNumber, text, key);
        };
        EXPECT_EQ(typeThroughFilter(box, test, row.typed), row.taken) << row.typed;
        EXPECT_EQ(box.text().toStdString(), row.expected) << row.typed;
        EXPECT_EQ(seen, row.seen) << row.typed;
    }
}

} // namespace
} // namespace calvex::widgets
