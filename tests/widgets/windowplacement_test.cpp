// A window centred over another: exactly over it, and never partly off the screen.
#include "widgets/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace calvex::widgets {
namespace {

TEST(WindowPlacement, CentredOverItsOwnerAndKeptOnTheScreen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize ownerSize(200, 150), windowSize(360, 240);
    const struct {
        const char* where;
        QPoint owner;
        QPoint expected;
    } rows[] = {
        {"in the middle", area.center() - QPoint(100, 75), area.center() - QPoint(180, 120)},
        {"at the top left corner", area.topLeft(), area.topLeft()},
        {"at the bottom right corner", area.bottomRight() + QPoint(1, 1) - QPoint(200, 150),
         area.bottomRight() + QPoint(1, 1) - QPoint(360, 240)},
    };
    for (const auto& row : rows) {
        QWidget owner, window;
        owner.setGeometry(QRect(row.owner, ownerSize));
        window.resize(windowSize);
        centreOver(window, owner);
        // Twips round to whole pixels: a pixel either way.
        EXPECT_NEAR(window.frameGeometry().left(), row.expected.x(), 1) << row.where;
        EXPECT_NEAR(window.frameGeometry().top(), row.expected.y(), 1) << row.where;
    }
}

} // namespace
} // namespace calvex::widgets
