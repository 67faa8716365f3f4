#include "shell/framemenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace calvex::shell {
namespace {

FrameMenuItem submenu(int level, const char* caption, const char* control)
{
    return {level, caption, control, "", FrameAction::Submenu, {}};
}

FrameMenuItem window(int level, const char* caption, const char* control, const char* shortcut, const char* target)
{
    return {level, caption, control, shortcut, FrameAction::Calculator, {target}};
}

FrameMenuItem unifac(const char* caption, const char* control, const char* shortcut, UnifacMode mode)
{
    return {3, caption, control, shortcut, FrameAction::Calculator, {nullptr, mode}};
}

FrameMenuItem command(const char* caption, const char* control, FrameAction action)
{
    return {1, caption, control, "", action, {}};
}

} // namespace

const std::vector<FrameMenuItem>& frameMenuItems()
{
    static const std::vector<FrameMenuItem> items = {
        submenu(1, "Pure Component", "PureComponent"),
        window(2, "Molar Volume", "MolarVolume", "Ctrl+A", "MolarVolumeCalculator"),
        window(2, "Saturation Pressure", "SaturationPressure", "Ctrl+B", "SaturationPressureCalculator"),
        window(2, "Saturation Temperature", "SaturationTemperature", "Ctrl+C", "SaturationTemperatureCalculator"),
        window(2, "Fugacity", "FugacityPure", "Ctrl+D", "PureComponentFugacityCalculator"),
        window(2, " Departure Functions", "DepartureFunction", "Ctrl+E", "DepartureFunctionCalculator"),
        window(2, "Enthalpy", "Enthalpy", "Ctrl+F", "EnthalpyCalculator"),
        window(2, "Entropy", "Entropy", "Ctrl+G", "EntropyCalculator"),
        submenu(1, "Mixture", "Mixture"),
        window(2, "Molar Volume", "MolarVolumeMixture", "Ctrl+H", "MixtureMolarVolumeCalculator"),
        window(2, "Fugacity", "Fugacity", "Ctrl+I", "MixtureFugacityCalculator"),
        window(2, "Partial Fugacity", "PartialFugacity", "Ctrl+J", "PartialFugacityCalculator"),
        window(2, "Departure Functions", "DepartureFunctionMixture", "Ctrl+K", "MixtureDepartureCalculator"),
        submenu(1, "Phase Equilbrium", "PhaseEquilibrium"),
        window(2, "Dew Temperature", "DewTemperature", "Ctrl+L", "DewTemperatureCalculator"),
        window(2, "Dew Pressure", "DewPressure", "Ctrl+M", "DewPressureCalculator"),
        window(2, "Bubble Pressure", "BubblePressure", "Ctrl+N", "BubblePressureCalculator"),
        window(2, "Bubble Temperature", "BubbleTemperature", "Ctrl+O", "BubbleTemperatureCalculator"),
        submenu(2, "vle Gibb's Free Energy", "vlegibbsfreeenergy"),
        window(3, "P-x-y(Margules)", "PxyMargulesCal", "Ctrl+P", "PxyMargules"),
        window(3, "P-x-y(Vanlaar)", "PxyvanlaarCal", "Ctrl+Q", "PxyVanlaar"),
        window(3, "T-x-y(Vaan-Laar Equation)", "TxyVanlaarCal", "Ctrl+R", "TxyVanlaar"),
        window(3, "T-x-y(Margules Equation)", "TxymargulesCal", "Ctrl+T", "TxyMargules"),
        window(3, "P-x-y(wilson's equation)", "pxywilsonscal", "Shift+Ctrl+F1", "Pxywilsons"),
        window(3, "T-x-y(wilson's equation)", "Txywilsonscal", "Shift+Ctrl+F2", "Txywilsons"),
        window(3, "P-x-y(NRTL)", "pxynrtlcal", "Shift+Ctrl+F3", "Pxynrtl"),
        window(3, "T-x-y(NRTL)", "Txynrtlcal", "Shift+Ctrl+F4", "Txynrtl"),
        window(3, "margules and vanlaar parameter calculator", "parametercalculator", "Ctrl+U", "ParametersForm1"),
        submenu(2, "VLE(UNIFAC)", "VLEUNIFAC"),
        unifac("Unifac Activity Coefficient Calculator", "Unifacl", "Ctrl+V", UnifacMode::ActivityCoefficients),
        unifac("P-x-y (UNIFAC)", "PxybyUnifac", "Ctrl+W", UnifacMode::Pxy),
        unifac("T-x-y(UNIFAC)", "TxybyUnifac", "Ctrl+Y", UnifacMode::Txy),
        window(2, "Flash Calculator", "FlashCal", "Ctrl+Z", "FlashCalculator"),
        command("Calculator", "Calc", FrameAction::DesktopCalculator),
        command("About", "About", FrameAction::About),
        command("Help", "Help", FrameAction::Help),
        command("Exit", "Exit", FrameAction::Exit),
    };
    return items;
}

void buildFrameMenu(QMenuBar* bar, const std::function<void(const FrameMenuItem&)>& choose)
{
    // The open submenu of each level; level 1 items go on the bar itself.
    std::vector<QMenu*> open(4, nullptr);
    for (const FrameMenuItem& item : frameMenuItems()) {
        const QString caption = QString::fromLatin1(item.caption);
        const QString control = QString::fromLatin1(item.control);
        if (item.action == FrameAction::Submenu) {
            QMenu* menu = item.level == 1 ? bar->addMenu(caption) : open[item.level - 1]->addMenu(caption);
            menu->setObjectName(control);
            menu->menuAction()->setObjectName(control);
            open[item.level] = menu;
            continue;
        }
        QAction* action = item.level == 1 ? bar->addAction(caption) : open[item.level - 1]->addAction(caption);
        action->setObjectName(control);
        if (*item.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        QObject::connect(action, &QAction::triggered, bar, [choose, &item] { choose(item); });
    }
}

} // namespace calvex::shell
