#include "widgets/colours.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace calvex::widgets {
namespace {

constexpr double readableContrast = 4.5;

// The colour roles a kind of widget draws its text in and on: a button and a closed list on
// their face, an open list on its list; a box or a view on its base, leaving its scroll bars the
// desktop's.
struct Roles {
    QList<QPalette::ColorRole> text;
    QList<QPalette::ColorRole> background;
};

Roles rolesOf(const QWidget& widget)
{
    if (qobject_cast<const QComboBox*>(&widget))
        return {{QPalette::ButtonText, QPalette::Text}, {QPalette::Button, QPalette::Base}};
    if (qobject_cast<const QAbstractButton*>(&widget))
        return {{QPalette::ButtonText}, {QPalette::Button}};
    if (qobject_cast<const QAbstractScrollArea*>(&widget) || qobject_cast<const QLineEdit*>(&widget))
        return {{QPalette::Text}, {QPalette::Base}};
    // A group box's caption is drawn in the text colour.
    return {{QPalette::WindowText, QPalette::Text}, {QPalette::Window}};
}

bool paintsWindowRole(const QWidget& widget) { return rolesOf(widget).background == QList{QPalette::Window}; }

// A style may draw a closed list's face in shades of its button colour (Fusion lightens a dark
// one by up to 30 %): the face as the style draws it, the lightest and darkest shades of a column
// across it, clear of its frame and arrow.
QList<QColor> drawnFace(const QComboBox& list)
{
    constexpr int width = 48, height = 24, border = 3, column = width / 3;
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.rect = QRect(0, 0, width, height);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    QImage face(option.rect.size(), QImage::Format_RGB32);
    face.fill(list.palette().color(QPalette::Window));
    QPainter painter(&face);
    list.style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, &list);
    painter.end();
    QColor lightest = face.pixelColor(column, height / 2), darkest = lightest;
    for (int y = border; y < height - border; ++y) {
        const QColor shade = face.pixelColor(column, y);
        if (shade.lightness() > lightest.lightness())
            lightest = shade;
        if (shade.lightness() < darkest.lightness())
            darkest = shade;
    }
    return {lightest, darkest};
}

// What the widget's text is drawn on, as far as its palette and style tell.
QList<QColor> drawnBackgrounds(const QWidget& widget)
{
    QList<QColor> backgrounds;
    for (const QPalette::ColorRole role : rolesOf(widget).background)
        backgrounds.append(widget.palette().color(role));
    if (const auto* list = qobject_cast<const QComboBox*>(&widget))
        backgrounds.append(drawnFace(*list));
    return backgrounds;
}

// Relative luminance of an sRGB colour.
double luminance(const QColor& colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

bool readableOnAll(const QColor& text, const QList<QColor>& backgrounds)
{
    return std::all_of(backgrounds.begin(), backgrounds.end(),
                       [&](const QColor& background) { return contrast(text, background) >= readableContrast; });
}

QColor mixed(const QColor& from, const QColor& to, double share)
{
    const auto channel = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

// `wanted`, or the least mix of it with white (on dark backgrounds) or black (on light ones) that
// is readable on every one of `backgrounds`; white or black when none is.
QColor readableShade(const QColor& wanted, const QList<QColor>& backgrounds, Shading shading)
{
    if (backgrounds.isEmpty() || readableOnAll(wanted, backgrounds))
        return wanted;
    const QColor worst = *std::min_element(backgrounds.begin(), backgrounds.end(), [&](const QColor& a, const QColor& b) {
        return contrast(wanted, a) < contrast(wanted, b);
    });
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    const bool darkBackground = contrast(white, worst) >= contrast(black, worst);
    if (shading == Shading::KeptOnLight && !darkBackground)
        return wanted;
    const QColor end = darkBackground ? white : black;
    // One step of an 8-bit channel at a time: the first that reads is the nearest shade.
    constexpr int steps = 255;
    for (int step = 1; step < steps; ++step) {
        const QColor shade = mixed(wanted, end, static_cast<double>(step) / steps);
        if (readableOnAll(shade, backgrounds))
            return shade;
    }
    return end;
}

// The widget's own colours are these roles alone: a copy of its palette would hold the
// desktop's colours of the moment as its own and keep them after the desktop changes.
void setTextRoles(QWidget& widget, const QColor& text, const QColor* background)
{
    const Roles roles = rolesOf(widget);
    QPalette colours;
    for (const QPalette::ColorRole role : roles.text)
        colours.setColor(role, text);
    if (background)
        for (const QPalette::ColorRole role : roles.background)
            colours.setColor(role, *background);
    widget.setPalette(colours);
}

// Keeps a widget's text readable: the shade is worked out again whenever the widget's colours
// change, which they do when the desktop's colours change or the widget moves to another parent.
class TextShade final : public QObject {
public:
    TextShade(QWidget& widget, const QColor& wanted, Shading shading)
        : QObject(&widget), m_wanted(wanted), m_shading(shading)
    {
        widget.installEventFilter(this);
    }

    void apply(QWidget& widget) const
    {
        const QList<QColor> backgrounds = drawnBackgrounds(widget);
        // Setting a palette the widget already has changes nothing and sends no further event.
        setTextRoles(widget, readableShade(m_wanted, backgrounds, m_shading), nullptr);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange)
            apply(*static_cast<QWidget*>(watched));
        return false;
    }

private:
    QColor m_wanted;
    Shading m_shading;
};

} // namespace

void setFixedColours(QWidget& widget, const QColor& text, const QColor& background)
{
    setTextRoles(widget, text, &background);
    if (paintsWindowRole(widget))
        widget.setAutoFillBackground(true);
}

void clearFixedColours(QWidget& widget)
{
    widget.setPalette(QPalette());
    if (paintsWindowRole(widget))
        widget.setAutoFillBackground(false);
}

void setTextColour(QWidget& widget, const QColor& wanted, Shading shading)
{
    (new TextShade(widget, wanted, shading))->apply(widget);
}

QColor titleColour() { return QColor(0x1d, 0x3a, 0x5f); }

QColor headingRed() { return QColor(0xc0, 0x00, 0x00); }

} // namespace calvex::widgets
