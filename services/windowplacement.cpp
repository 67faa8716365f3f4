#include "services/windowplacement.h"

#include "services/numbers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace calvex::services {
namespace {

int pixels(double twips, double dotsPerInch) { return static_cast<int>(std::lround(pixelsFromTwips(twips, dotsPerInch))); }

} // namespace

long freeSpaceOrigin(double outerTwips, double innerTwips, int divisor)
{
    // lrint rounds halves to even in the default rounding mode.
    const long difference = std::lrint(outerTwips - innerTwips);
    return divisor == 0 ? 0 : difference / divisor;
}

QRect rectFromTwips(const QWidget& widget, double left, double top, double width, double height)
{
    const double dpiX = widget.logicalDpiX();
    const double dpiY = widget.logicalDpiY();
    return {pixels(left, dpiX), pixels(top, dpiY), pixels(width, dpiX), pixels(height, dpiY)};
}

void placeInTwips(QWidget& control, double left, double top, double width, double height)
{
    control.setGeometry(rectFromTwips(control, left, top, width, height));
}

void fixInnerSizeInTwips(QWidget& window, double width, double height)
{
    const QRect rect = rectFromTwips(window, 0, 0, width, height);
    window.setFixedSize(rect.size());
}

void placeOnScreen(QWidget& window, int heightDivisor)
{
    QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    const long left = freeSpaceOrigin(twipsFromPixels(area.width(), dpiX), twipsFromPixels(size.width(), dpiX), 2);
    const long top =
        freeSpaceOrigin(twipsFromPixels(area.height(), dpiY), twipsFromPixels(size.height(), dpiY), heightDivisor);
    window.move(area.x() + pixels(static_cast<double>(left), dpiX), area.y() + pixels(static_cast<double>(top), dpiY));
}

} // namespace calvex::services
