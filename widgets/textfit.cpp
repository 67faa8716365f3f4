#include "widgets/textfit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace calvex::widgets {
namespace {

// Far below a pixel on any window.
constexpr double factorPrecision = 1e-4;

double ratio(int needed, int available) { return available > 0 ? double(needed) / available : 0; }

double growthFor(QSize needed, QSize available)
{
    return std::max(ratio(needed.width(), available.width()), ratio(needed.height(), available.height()));
}

// Sizes round up: a label a pixel narrower than it needs may wrap onto one more line.
int scaledLength(int length, double factor) { return static_cast<int>(std::ceil(length * factor)); }

// A label on one line needs its whole line. A wrapping one needs its longest word across and the
// height of its lines at its width, and wraps onto fewer lines as it grows: its factor is the
// least at which it fits, found by halving, since growing by the height it needs at its present
// width is always enough.
double labelGrowth(const QLabel& label)
{
    if (label.text().isEmpty())
        return 0;
    if (!label.wordWrap())
        return growthFor(label.sizeHint(), label.size());
    const double enough = std::max(ratio(label.minimumSizeHint().width(), label.width()),
                                   ratio(label.heightForWidth(label.width()), label.height()));
    if (enough <= 1)
        return enough;
    const auto fits = [&label](double factor) {
        const int width = scaledLength(label.width(), factor);
        return label.minimumSizeHint().width() <= width
               && label.heightForWidth(width) <= scaledLength(label.height(), factor);
    };
    double tooSmall = 1;
    double large = enough;
    while (large - tooSmall > factorPrecision) {
        const double middle = (tooSmall + large) / 2;
        if (fits(middle))
            large = middle;
        else
            tooSmall = middle;
    }
    return large;
}

// The style draws a button's caption inside its contents rectangle and cuts what does not fit.
double buttonGrowth(const QPushButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRect contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    const QSize frame = button.size() - contents.size();
    return growthFor(button.fontMetrics().size(Qt::TextShowMnemonic, button.text()) + frame, button.size());
}

// A text box scrolls its text sideways; only a line taller than its inside is cut.
double boxGrowth(const QLineEdit& box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    const int frame = box.height() - contents.height() + margins.top() + margins.bottom();
    return ratio(box.fontMetrics().height() + frame, box.height());
}

QRect scaled(const QRect& rect, double factor)
{
    const auto place = [factor](int value) { return static_cast<int>(std::lround(value * factor)); };
    return {place(rect.x()), place(rect.y()), scaledLength(rect.width(), factor), scaledLength(rect.height(), factor)};
}

} // namespace

double growthForText(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return labelGrowth(*label);
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return buttonGrowth(*button);
    if (const auto* box = qobject_cast<const QLineEdit*>(&control))
        return boxGrowth(*box);
    return 0;
}

void growWithText(QWidget& window)
{
    const QList<QWidget*> controls = window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    double factor = 1;
    for (const QWidget* control : controls)
        if (!control->isWindow())
            factor = std::max(factor, growthForText(*control));
    if (factor <= 1)
        return;
    for (QWidget* control : controls)
        if (!control->isWindow())
            control->setGeometry(scaled(control->geometry(), factor));
    window.setFixedSize(scaled(window.rect(), factor).size());
}

} // namespace calvex::widgets
