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

TEST(FilteredBox, TextFromTheClipboardOrAnInputMethodPassesTheFilter)
{
    const struct {
        const char* how;
        std::function<void(QLineEdit&)> enter;
    } ways[] = {{"Ctrl+V", pasteByKey}, {"the box's menu", pasteFromMenu}, {"an input method", composeClipboardText}};
    for (const auto& way : ways) {
        QLineEdit box;
        setKeyFilter(box, KeyFilter::UnsignedNumber);
        box.show();
        QGuiApplication::clipboard()->setText(QStringLiteral("-1e2a.5.7"));
        way.enter(box);
        EXPECT_EQ(box.text(), QStringLiteral("12.57")) << way.how;
        EXPECT_FALSE(box.acceptDrops()) << "a drop would bring the text in whole";
    }
}

} // namespace
} // namespace calvex::services
