#include "widgets/windowplacement.h"

#include "services/numbers.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace calvex::widgets {
namespace {

int pixels(double twips, double dotsPerInch) { return static_cast<int>(std::lround(services::pixelsFromTwips(twips, dotsPerInch))); }

// Where `inner` pixels start in `outer` pixels, 1/`divisor` of the free space along: the
// arithmetic in twips, the result back in pixels.
int freeSpacePixels(int outer, int inner, int divisor, double dotsPerInch)
{
    const long origin =
        services::freeSpaceOrigin(services::twipsFromPixels(outer, dotsPerInch), services::twipsFromPixels(inner, dotsPerInch), divisor);
    return pixels(static_cast<double>(origin), dotsPerInch);
}

QRect rectFromTwips(const QWidget& reference, const TwipsRect& rect)
{
    const double dpiX = reference.logicalDpiX();
    const double dpiY = reference.logicalDpiY();
    return {pixels(rect.left, dpiX), pixels(rect.top, dpiY), pixels(rect.width, dpiX), pixels(rect.height, dpiY)};
}

} // namespace

QSize sizeFromTwips(const QWidget& reference, double width, double height)
{
    return rectFromTwips(reference, {0, 0, width, height}).size();
}

void placeInTwips(QWidget& control, const TwipsRect& rect) { control.setGeometry(rectFromTwips(control, rect)); }

void fixInnerSizeInTwips(QWidget& window, double width, double height)
{
    window.setFixedSize(sizeFromTwips(window, width, height));
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
    window.move(area.x() + freeSpacePixels(area.width(), size.width(), 2, screen->logicalDotsPerInchX()),
                area.y() + freeSpacePixels(area.height(), size.height(), heightDivisor, screen->logicalDotsPerInchY()));
}

void centreIn(QWidget& window, QSize area)
{
    const QSize size = window.frameGeometry().size();
    window.move(freeSpacePixels(area.width(), size.width(), 2, window.logicalDpiX()),
                freeSpacePixels(area.height(), size.height(), 2, window.logicalDpiY()));
}

void centreOver(QWidget& window, const QWidget& owner)
{
    const QWidget& outer = owner.parentWidget() && !owner.isWindow() && owner.parentWidget()->inherits("QMdiSubWindow")
                               ? *owner.parentWidget()
                               : owner;
    const QRect frame = outer.frameGeometry();
    const QPoint topLeft = outer.isWindow() ? frame.topLeft() : outer.parentWidget()->mapToGlobal(frame.topLeft());
    const QSize size = window.frameGeometry().size();
    QPoint place(topLeft.x() + freeSpacePixels(frame.width(), size.width(), 2, window.logicalDpiX()),
                 topLeft.y() + freeSpacePixels(frame.height(), size.height(), 2, window.logicalDpiY()));
    // Over an owner near the screen's edge, a larger window would stand partly off the screen,
    // its buttons out of reach: it is kept on the screen, as near the centre as it can be.
    if (const QScreen* screen = QGuiApplication::screenAt(frame.center() + (topLeft - frame.topLeft()))) {
        const QRect area = screen->availableGeometry();
        place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - size.width())));
        place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - size.height())));
    }
    window.move(place);
}

} // namespace calvex::widgets
