#include "shell/mainmenuform.h"

#include "shell/errortrap.h"
#include "shell/generaldate.h"
#include "shell/windowswitching.h"
#include "widgets/colours.h"
#include "widgets/windowplacement.h"

#include <QApplication>
#include <QGroupBox>
#include <QMdiArea>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace calvex::shell {
namespace {

using widgets::TwipsRect;

// The launcher's inner area: wide and tall enough for the clock button, which stands beyond
// the right edge of the designed 8880 twips.
constexpr double widthTwips = 10800;
constexpr double heightTwips = 7200;

const QColor windowColour(64, 64, 64);
const QColor faceColour(192, 192, 192);
const QColor captionColour(0, 0, 255);

// Rows of calculator buttons inside a panel.
constexpr double rowHeight = 495;
constexpr double rowTop(int row) { return 240 + 480 * row; }
constexpr TwipsRect leftCell(int row) { return {120, rowTop(row), 2655, rowHeight}; }
constexpr TwipsRect rightCell(int row) { return {2760, rowTop(row), 2895, rowHeight}; }
constexpr TwipsRect wideCell(int row) { return {120, rowTop(row), 5535, rowHeight}; }
// The mixture panel's left buttons as they show: designed to start left of the panel's edge
// (at -240 and -120) and end at 2655, they would have the start of their captions cut off,
// so they keep their right edge and start at the panel's margin.
constexpr TwipsRect mixtureLeftCell(int row) { return {120, rowTop(row), 2535, rowHeight}; }

enum class Place { Window, Pure, Mixture, Phase };

struct LauncherKey {
    const char* caption;
    Place place;
    TwipsRect rect;
    CalculatorChoice choice;
};

constexpr CalculatorChoice nothing{};
constexpr CalculatorChoice unifac(UnifacMode mode) { return {nullptr, mode}; }

// Indexed by button number; 0 is the clock and 24-26 the category buttons.
const std::array<LauncherKey, MAINMENUFORM::keyCount> keys = {{
    {"Time", Place::Window, {8520, 6120, 2055, 855}, nothing},
    {"Molar Volume Calculator", Place::Pure, leftCell(0), {"MolarVolumeCalculator"}},
    {"Saturation Pressure Calculator", Place::Pure, rightCell(0), {"SaturationPressureCalculator"}},
    {"Saturated Temperature Calculator", Place::Pure, leftCell(1), {"SaturationTemperatureCalculator"}},
    {"Fugacity Calculator", Place::Pure, rightCell(1), {"PureComponentFugacityCalculator"}},
    {"Departure Function Calculator", Place::Pure, leftCell(2), {"DepartureFunctionCalculator"}},
    {"Entropy Calculator", Place::Pure, wideCell(3), {"EntropyCalculator"}},
    {"Enthalpy  Calculator", Place::Pure, rightCell(2), {"EnthalpyCalculator"}},
    {"Mixture Molar Volume  Calculator", Place::Mixture, mixtureLeftCell(0), {"MixtureMolarVolumeCalculator"}},
    {"Mixture Fugacity  Calculator", Place::Mixture, {2640, rowTop(0), 2775, rowHeight}, {"MixtureFugacityCalculator"}},
    {"Partial  Fugacity  Calculator", Place::Mixture, mixtureLeftCell(1), {"PartialFugacityCalculator"}},
    {"Departure Function  Calculator", Place::Mixture, {2640, rowTop(1), 2775, rowHeight}, {"MixtureDepartureCalculator"}},
    {"Dew Pressure  Calculator", Place::Phase, leftCell(0), {"DewPressureCalculator"}},
    {"Dew Temperature Calculator", Place::Phase, rightCell(0), {"DewTemperatureCalculator"}},
    {"Bubble Pressure Calculator", Place::Phase, leftCell(1), {"BubblePressureCalculator"}},
    {"Bubble Temperature Calculator", Place::Phase, rightCell(1), {"BubbleTemperatureCalculator"}},
    {"Flash Calculator", Place::Phase, leftCell(2), {"FlashCalculator"}},
    {"UNIFAC Activity Calculator", Place::Phase, rightCell(2), unifac(UnifacMode::ActivityCoefficients)},
    {"P-x-y(Margules)", Place::Phase, rightCell(3), {"PxyMargules"}},
    {"T-x-y(Margules)", Place::Phase, leftCell(3), {"TxyMargules"}},
    {"P-x-y(Vanlaar)", Place::Phase, rightCell(4), {"PxyVanlaar"}},
    {"T-x-y(Vanlaar)", Place::Phase, leftCell(4), {"TxyVanlaar"}},
    {"Parameter Calculator(Vanlaar or  Margules)", Place::Phase, wideCell(8), {"ParametersForm1"}},
    {"T-x-y(UNIFAC)", Place::Phase, leftCell(5), unifac(UnifacMode::Txy)},
    {"Pure Component", Place::Window, {1508, 915, 2535, 1455}, nothing},
    {"Mixture", Place::Window, {1508, 2355, 2535, 1455}, nothing},
    {"Phase Equilibrium", Place::Window, {1508, 3795, 2535, 1455}, nothing},
    {"P-x-y(UNIFAC)", Place::Phase, rightCell(5), unifac(UnifacMode::Pxy)},
    {"P-x-y(Wilson's)", Place::Phase, rightCell(6), {"Pxywilsons"}},
    {"T-x-y(Wilson's)", Place::Phase, leftCell(6), {"Txywilsons"}},
    {"P-x-y(NRTL)", Place::Phase, rightCell(7), {"Pxynrtl"}},
    {"T-x-y(NRTL)", Place::Phase, leftCell(7), {"Txynrtl"}},
}};

constexpr int clockKey = 0;
constexpr int pureKey = 24;
constexpr int mixtureKey = 25;
constexpr int phaseKey = 26;

constexpr std::array<std::pair<int, Place>, 3> categories = {
    {{pureKey, Place::Pure}, {mixtureKey, Place::Mixture}, {phaseKey, Place::Phase}}};

// The order Tab reaches the buttons in: the clock, then each category button followed by its
// panel's buttons, row by row and left to right, as they show.
const std::vector<int>& tabChain()
{
    static const std::vector<int> chain = [] {
        std::vector<int> order{clockKey};
        for (const auto& [category, place] : categories) {
            order.push_back(category);
            std::vector<int> panel;
            for (int index = 0; index < MAINMENUFORM::keyCount; ++index)
                if (keys[static_cast<std::size_t>(index)].place == place)
                    panel.push_back(index);
            std::ranges::sort(panel, {}, [](int index) {
                const TwipsRect& cell = keys[static_cast<std::size_t>(index)].rect;
                return std::pair(cell.top, cell.left);
            });
            order.insert(order.end(), panel.begin(), panel.end());
        }
        return order;
    }();
    return chain;
}

QFont verdana(double points, bool bold)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QGroupBox* makePanel(QWidget* parent, const char* objectName, const char* caption, const QColor& captionColour,
                     const TwipsRect& rect)
{
    auto* panel = new QGroupBox(QString::fromLatin1(caption), parent);
    panel->setObjectName(QString::fromLatin1(objectName));
    widgets::placeInTwips(*panel, rect);
    widgets::setFixedColours(*panel, captionColour, faceColour);
    panel->setFont(verdana(8.25, true));
    panel->hide();
    return panel;
}

} // namespace

int MAINMENUFORM::s_highlight = 0;

MAINMENUFORM::MAINMENUFORM()
{
    setWindowTitle(QStringLiteral("MAIN MENU"));
    setFixedSize(widgets::sizeFromTwips(*this, widthTwips, heightTwips));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, windowColour);
    setPalette(colours);

    Frame1 = makePanel(this, "Frame1", "Pure Component ", QColor(255, 0, 0), {3960, 600, 5775, 2175});
    Frame2 = makePanel(this, "Frame2", "Mixture", QColor(128, 0, 0), {4028, 2400, 5535, 1455});
    Frame3 = makePanel(this, "Frame3", "Phase Equilibrium", QColor(192, 0, 0), {3960, 1440, 5775, 4695});

    key.resize(keyCount);
    for (int index = 0; index < keyCount; ++index) {
        const LauncherKey& design = keys[static_cast<std::size_t>(index)];
        QWidget* parent = design.place == Place::Pure      ? Frame1
                        : design.place == Place::Mixture ? Frame2
                        : design.place == Place::Phase   ? Frame3
                                                         : static_cast<QWidget*>(this);
        auto* button = new widgets::KeyButton(index, QString::fromLatin1(design.caption), parent);
        button->setObjectName(QStringLiteral("key_%1").arg(index));
        widgets::placeInTwips(*button, design.rect);
        if (index == clockKey) {
            button->setFont(verdana(12, true));
            button->setColours(windowColour, QApplication::palette().color(QPalette::HighlightedText));
        } else {
            button->setFont(verdana(design.place == Place::Window ? 12 : 8.25, design.place == Place::Window));
            button->setColours(faceColour, captionColour);
        }
        connect(button, &QPushButton::clicked, this, [this, index] { key_Click(index); });
        connect(button, &widgets::KeyButton::pointerMoved, this, &MAINMENUFORM::key_MouseMove);
        connect(button, &widgets::KeyButton::keyboardReached, this, &MAINMENUFORM::key_KeyboardReached);
        key[static_cast<std::size_t>(index)] = button;
    }
    const std::vector<int>& chain = tabChain();
    for (std::size_t at = 1; at < chain.size(); ++at)
        setTabOrder(key[static_cast<std::size_t>(chain[at - 1])], key[static_cast<std::size_t>(chain[at])]);

    // A shown panel lies over the edge of the category buttons, caption included.
    for (QGroupBox* panel : {Frame1, Frame2, Frame3})
        panel->raise();

    tmrCurrTime = new QTimer(this);
    tmrCurrTime->setInterval(1000);
    connect(tmrCurrTime, &QTimer::timeout, this, &MAINMENUFORM::tmrCurrTime_Timer);
    tmrCurrTime->start();
}

void MAINMENUFORM::Form_Load()
{
    const QMdiArea* area = widgets::WindowRegistry::instance().mdiArea();
    QWidget* outer = widgets::WindowRegistry::outerWindow(this);
    if (area && outer != this) {
        outer->adjustSize();
        widgets::centreIn(*outer, area->viewport()->size());
    }
}

void MAINMENUFORM::key_Click(int Index)
{
    runTrapped([Index] {
        if (Index < 0 || Index >= keyCount)
            return;
        const LauncherKey& design = keys[static_cast<std::size_t>(Index)];
        if (design.place == Place::Window)
            return;
        openCalculator(design.choice);
    });
}

void MAINMENUFORM::key_MouseMove(int Index)
{
    runTrapped([this, Index] {
        widgets::moveHighlight(key, s_highlight, Index);
        showPanelOf(Index);
    });
}

// The bold highlight stays with the pointer.
void MAINMENUFORM::key_KeyboardReached(int Index)
{
    runTrapped([this, Index] {
        if (!m_changingPanels)
            showPanelOf(Index);
    });
}

bool MAINMENUFORM::focusNextPrevChild(bool next)
{
    // Tab passes over the buttons of a hidden panel: the button next in turn opens its panel
    // first, so that Shift+Tab from a category button goes back through the panel before it,
    // and from the clock to the last button of the last panel.
    const auto focused = std::ranges::find_if(key, [](const widgets::KeyButton* button) { return button->hasFocus(); });
    if (focused != key.end() && !m_changingPanels) {
        const std::vector<int>& chain = tabChain();
        const auto at = static_cast<std::size_t>(std::ranges::find(chain, (*focused)->index()) - chain.begin());
        const std::size_t neighbour = (at + (next ? 1 : chain.size() - 1)) % chain.size();
        showPanel(qobject_cast<const QGroupBox*>(key[static_cast<std::size_t>(chain[neighbour])]->parentWidget()));
    }
    return QWidget::focusNextPrevChild(next);
}

void MAINMENUFORM::showPanelOf(int Index)
{
    if (Index == pureKey)
        showPanel(Frame1);
    else if (Index == mixtureKey)
        showPanel(Frame2);
    else if (Index == phaseKey)
        showPanel(Frame3);
}

// Null, or any group box but the three panels, leaves the panels as they are.
void MAINMENUFORM::showPanel(const QGroupBox* panel)
{
    if (panel != Frame1 && panel != Frame2 && panel != Frame3)
        return;
    // A panel closing with the focus inside sends it on to the next button showing: that is
    // no choice of the user's, and the panel asked for stays the one shown.
    const QScopedValueRollback changing(m_changingPanels, true);
    for (QGroupBox* frame : {Frame1, Frame2, Frame3})
        frame->setVisible(frame == panel);
}

void MAINMENUFORM::tmrCurrTime_Timer()
{
    runTrapped([this] { key[clockKey]->setText(generalDateText(QDateTime::currentDateTime())); });
}

} // namespace calvex::shell
