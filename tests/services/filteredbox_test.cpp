// Every way text can enter a filtered number box goes through its filter.

#include "services/filteredbox.h"

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

namespace calvex::services {
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
        setKeyFilter(box, KeyFilter::UnsignedNumber);
        box.show();
        box.setText(QStringLiteral("9"));
        QGuiApplication::clipboard()->setText(QString::fromUtf8(way.clipboard));
        way.enter(box);
        EXPECT_EQ(box.text(), QString::fromUtf8(way.expected)) << way.how << " " << way.clipboard;
        EXPECT_FALSE(box.acceptDrops()) << "a drop would bring the text in whole";
    }
}

} // namespace
} // namespace calvex::services
