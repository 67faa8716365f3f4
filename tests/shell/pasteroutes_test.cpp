// Every paste into a number box passes its key filter whole or not at all: the frame toolbar's
// Paste and the middle button's paste of the desktop's selection, which only a real X display has.

#include "services/filteredbox.h"
#include "shell/clipboardactions.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace calvex::shell {
namespace {

TEST(PasteRoutes, NumberBoxTakesAPasteWholeOrNotAtAll)
{
    QClipboard* clipboard = QApplication::clipboard();
    ASSERT_TRUE(clipboard->supportsSelection()) << "run on an X display";
    const struct {
        const char* pasted;
        const char* afterToolbarPaste; // into a box holding 250
        const char* afterMiddleClick;  // into an empty box
    } rows[] = {
        {"300,9", "250", ""}, // a number copied from a spreadsheet under a decimal comma
        {"1.000,5", "250", ""},
        {"12 bar", "250", ""},
        {"300.9", "300.9", "300.9"},
    };
    for (const auto& row : rows) {
        QLineEdit box;
        services::setKeyFilter(box, services::KeyFilter::UnsignedNumber);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));

        box.setText(QStringLiteral("250"));
        clipboard->setText(QString::fromUtf8(row.pasted));
        pasteIntoControl(&box);
        EXPECT_EQ(box.text().toStdString(), row.afterToolbarPaste) << "toolbar Paste of " << row.pasted;

        box.clear();
        clipboard->setText(QString::fromUtf8(row.pasted), QClipboard::Selection);
        QTest::mouseClick(&box, Qt::MiddleButton, {}, QPoint(4, box.height() / 2));
        EXPECT_EQ(box.text().toStdString(), row.afterMiddleClick) << "middle-click paste of " << row.pasted;
    }
}

} // namespace
} // namespace calvex::shell
