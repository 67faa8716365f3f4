// Every paste into a number box passes its key filter whole or not at all, by the box's own
// Ctrl+V, the frame toolbar's Paste and the middle button's paste of the desktop's selection,
// which only a real X display has.

#include "shell/clipboardactions.h"
#include "widgets/filteredbox.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace calvex::shell {
namespace {

QClipboard* clipboard() { return QApplication::clipboard(); }

void pasteByKey(QLineEdit& box, const QString& text)
{
    clipboard()->setText(text);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
}

void pasteFromToolbar(QLineEdit& box, const QString& text)
{
    clipboard()->setText(text);
    pasteIntoControl(&box);
}

// At the end of the box's text, where its cursor already is.
void pasteByMiddleClick(QLineEdit& box, const QString& text)
{
    clipboard()->setText(text, QClipboard::Selection);
    QTest::mouseClick(&box, Qt::MiddleButton, {}, QPoint(box.width() - 4, box.height() / 2));
}

TEST(PasteRoutes, NumberBoxTakesAPasteWholeOrNotAtAllAndCtrlZTakesItBack)
{
    ASSERT_TRUE(clipboard()->supportsSelection()) << "run on an X display";
    const struct {
        const char* name;
        std::function<void(QLineEdit&, const QString&)> paste;
        bool replacesTheText;
    } routes[] = {
        {"Ctrl+V", pasteByKey, false},
        {"the toolbar's Paste", pasteFromToolbar, true},
        {"the middle button", pasteByMiddleClick, false},
    };
    const QString before = QStringLiteral("250");
    const QString digits2000(2000, u'7');
    const struct {
        const char* what;
        QString pasted;
        QString atTheCursor; // the box's text after the paste
        QString replacing;
    } rows[] = {
        {"a number under a decimal comma", QStringLiteral("300,9"), before, before},
        {"a number with thousands grouped", QStringLiteral("1.000,5"), before, before},
        {"a number with its unit", QStringLiteral("12 bar"), before, before},
        {"a number", QStringLiteral("300.9"), QStringLiteral("250300.9"), QStringLiteral("300.9")},
        {"a spreadsheet column", QStringLiteral("300\n").repeated(7500), before, before},
        {"40000 digits, more than the box holds", QString(40000, u'7'), before, before},
        {"2000 digits", digits2000, before + digits2000, digits2000},
    };
    for (const auto& route : routes)
        for (const auto& row : rows) {
            QLineEdit box;
            widgets::setKeyFilter(box, services::KeyFilter::UnsignedNumber);
            box.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
            // Its last digit typed, so that the paste follows a run of typing.
            box.setText(QStringLiteral("25"));
            QTest::keyClick(&box, Qt::Key_0);

            route.paste(box, row.pasted);
            const QString& expected = route.replacesTheText ? row.replacing : row.atTheCursor;
            EXPECT_EQ(box.text(), expected) << route.name << ": " << row.what;
            if (expected == before)
                continue;
            QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(box.text(), before) << "Ctrl+Z after " << route.name << ": " << row.what;
        }
}

} // namespace
} // namespace calvex::shell
