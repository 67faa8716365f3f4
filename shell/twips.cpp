#include "shell/twips.h"

#include "services/numbers.h"

#include <QScreen>
#include <QWidget>

#include <cmath>

namespace calvex::shell {
namespace {

double dotsPerInch(const QWidget* reference)
{
    if (reference)
        return reference->logicalDpiX();
    return 96.0;
}

// Where a window of `inner` pixels starts in `outer` pixels: centred in twips, back in pixels.
int centredPixels(int outer, int inner, const QWidget* reference)
{
    const long origin = services::centredOrigin(twipsFromPixels(outer, reference), twipsFromPixels(inner, reference));
    return pixelsFromTwips(static_cast<double>(origin), reference);
}

} // namespace

int pixelsFromTwips(double twips, const QWidget* reference)
{
    return static_cast<int>(std::lround(services::pixelsFromTwips(twips, dotsPerInch(reference))));
}

double twipsFromPixels(int pixels, const QWidget* reference)
{
    return services::twipsFromPixels(pixels, dotsPerInch(reference));
}

QRect rectFromTwips(double left, double top, double width, double height, const QWidget* reference)
{
    return {pixelsFromTwips(left, reference), pixelsFromTwips(top, reference), pixelsFromTwips(width, reference),
            pixelsFromTwips(height, reference)};
}

QSize sizeFromTwips(double width, double height, const QWidget* reference)
{
    return {pixelsFromTwips(width, reference), pixelsFromTwips(height, reference)};
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->geometry();
    const QRect outer = window->frameGeometry();
    window->move(available.left() + centredPixels(available.width(), outer.width(), window),
                 available.top() + centredPixels(available.height(), outer.height(), window));
}

void centreIn(QWidget* outer, QSize area)
{
    const QSize size = outer->frameGeometry().size();
    outer->move(centredPixels(area.width(), size.width(), outer), centredPixels(area.height(), size.height(), outer));
}

} // namespace calvex::shell
