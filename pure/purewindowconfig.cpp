#include "pure/purewindowconfig.h"

#include "services/pointsfile.h"

#include <algorithm>
#include <map>

namespace calvex::pure {
namespace {

const std::string listHint = "Select \"not Listed\" if compound is not in list";
const std::string acentricPrompt = "Please enter the Acentric factor it is unavailable";
const std::string temperatureMessage = "Temperature cannot be zero or negative";
using services::points1FileName;
using services::points2FileName;

UnitListConfig frameTemperatureUnits() { return {{"fahrenheit", "celsius", "kelvin"}, "kelvin"}; }
UnitListConfig framePressureUnits() { return {{"atm", "bar", "kpa", "mm Hg", "Mpa", "pa", "psia"}, "bar"}; }

// The enthalpy window, on which the frame is described; the others start from it.
PureWindowConfig enthalpy()
{
    PureWindowConfig config;
    config.kind = PureWindowKind::Enthalpy;
    config.name = "EnthalpyCalculator";
    config.caption = "Enthalpy  Calculator";
    config.title = "Enthalpy  Calculator";
    config.listHint = listHint;
    config.buttonName = "Command1_Calculator";
    config.buttonCaption = "Click To Calculate Entropy";
    config.temperatureUnits = frameTemperatureUnits();
    config.pressureUnits = framePressureUnits();
    config.asksHeatCapacity = true;
    config.asksReference = true;
    config.referencePrompt = "The Enthalpy Of Saturated Liquid at the \r\n"
                           "specified Temperature will be assigned a value of zero \r\n"
                           "PLEASE SPECIFY THE TEMPERATURE(KELVIN) OF THE REFERENCE STATE";
    config.checks = {"Please enter the ecentric factor it is unavailable", false, true};
    config.temperatureMessage = temperatureMessage;
    config.loadFailure = "error in loading data";
    config.commandFailure = "error in command";
    config.templateName = "PureComponentEnthalpycalculator.htm";
    config.count = 24;
    config.resultSize = 26;
    config.resultKind = 7;
    config.sweeps = {{"T", "TD", points1FileName, Swept::Temperature}, {"P", "PD", points2FileName, Swept::Pressure}};
    config.curves = 2;
    config.sweepPlot = services::SweepPlot::EnthalpyEntropy;
    config.sweepFailure = "error in PDorTD graph";
    return config;
}

PureWindowConfig entropy()
{
    PureWindowConfig config = enthalpy();
    config.kind = PureWindowKind::Entropy;
    config.name = "EntropyCalculator";
    config.caption = "Entropy Calculator";
    config.title = "Entropy  Calculator";
    config.referencePrompt = "The Entropy Of Saturated Liquid at the \r\n"
                           "specified Temperature will be assigned a value of zero \r\n"
                           "PLEASE SPECIFY THE TEMPERATURE(KELVIN) OF THE REFERENCE STATE";
    config.checks.omegaPrompt = acentricPrompt;
    config.resultKind = 6;
    return config;
}

// The three windows that report the compressibility solve step by step.
PureWindowConfig stepsWindow()
{
    PureWindowConfig config = enthalpy();
    config.asksHeatCapacity = false;
    config.asksReference = false;
    config.referencePrompt.clear();
    config.checks.omegaPrompt = acentricPrompt;
    return config;
}

PureWindowConfig fugacity()
{
    PureWindowConfig config = stepsWindow();
    config.kind = PureWindowKind::Fugacity;
    config.name = "PureComponentFugacityCalculator";
    config.caption = "Fugacity  Calculator";
    config.title = "Fugacity  Calculator";
    config.buttonCaption = "Click To Calculate Fugacity";
    config.temperatureUnits = {{"celsius", "fahrenheit", "kelvin"}, "kelvin"};
    config.templateName = "PureComponentFugacitycalculator.htm";
    config.count = 29;
    config.resultSize = 31;
    config.resultKind = 4;
    config.sweeps = {{"T", "TF", points1FileName, Swept::Temperature}, {"P", "PF", points2FileName, Swept::Pressure}};
    config.curves = 1;
    config.sweepPlot = services::SweepPlot::PureFugacity;
    config.sweepFailure = "error in PForTF graph";
    return config;
}

PureWindowConfig molarVolume()
{
    PureWindowConfig config = stepsWindow();
    config.kind = PureWindowKind::MolarVolume;
    config.name = "MolarVolumeCalculator";
    config.caption = "Molar Volume Calculator";
    config.title = "Molar Volume Calculator";
    config.listHint = "Select \"not Listed\" if compound is not in the  list";
    config.buttonName = "Command1";
    config.buttonCaption = "Click To Calculate Molar Volume";
    config.temperatureUnits = {{"kelvin", "fahrenheit", "celsius"}, "", ListKeys::SelectByLetter, true};
    config.pressureUnits = {{"bar", "atm", "kpa", "mm Hg", "Mpa", "pa", "psia"}, "bar", ListKeys::Swallow, true};
    config.componentKeys = ListKeys::SelectByLetter;
    config.unloadsConstantsDialog = true;
    config.checks = {acentricPrompt, true, false};
    config.templateName = "molarvolumecalculator.htm";
    config.count = 29;
    config.resultSize = 31;
    config.resultKind = 1;
    config.sweeps = {{"T", "TV", points1FileName, Swept::Temperature}, {"P", "PV", points2FileName, Swept::Pressure}};
    config.curves = 1;
    config.sweepPlot = services::SweepPlot::MolarVolume;
    config.sweepFailure = "error in PVorTV graph";
    return config;
}

PureWindowConfig departure()
{
    PureWindowConfig config = stepsWindow();
    config.kind = PureWindowKind::Departure;
    config.name = "DepartureFunctionCalculator";
    config.caption = "Departure Function Calculator";
    config.title = "Departure Function Calculator";
    config.buttonCaption = "          Click To Calculate ";
    config.componentKeys = ListKeys::SelectByLetter;
    config.lostFocusFailure = "error in cobo2";
    config.templateName = "PureComponentDeparturecalculator.htm";
    config.count = 28;
    config.resultSize = 29;
    config.resultKind = 5;
    config.sweeps = {{"T", "TD", points1FileName, Swept::Temperature}, {"P", "PD", points2FileName, Swept::Pressure}};
    config.curves = 2;
    config.sweepPlot = services::SweepPlot::PureDeparture;
    config.sweepFailure = "error in PDorTD graph";
    return config;
}

// The two saturation windows: one state box, a 320-value report with the iteration log, and
// one sweep called without an argument.
PureWindowConfig saturationWindow()
{
    PureWindowConfig config = stepsWindow();
    config.resultSize = 321;
    config.count = 320;
    config.leavesOutFailures = true;
    config.curves = 1;
    return config;
}

PureWindowConfig saturationPressure()
{
    PureWindowConfig config = saturationWindow();
    config.kind = PureWindowKind::SaturationPressure;
    config.name = "SaturationPressureCalculator";
    config.caption = "Saturation Pressure  Calculator";
    config.title = "Saturation Pressure  Calculator";
    config.buttonName = "Command1_saturatedpressureCalculator";
    config.buttonCaption = "Click To Calculate Saturation Pressure";
    config.hasPressure = false;
    config.temperatureFilter = services::KeyFilter::SignedAnyPoints;
    config.checks = {acentricPrompt, true, true};
    config.temperatureMessage = "Temperature(in kelvin) cannot be zero or negative";
    config.loadFailure = "error in loading database";
    config.commandFailure = "error in command1";
    config.templateName = "saturationpressurecalculator.htm";
    config.resultKind = 2;
    config.sweeps = {{"", "", points1FileName, Swept::Temperature}};
    config.sweepPlot = services::SweepPlot::SaturationPressure;
    config.sweepFailure = "error in graph plotting";
    return config;
}

PureWindowConfig saturationTemperature()
{
    PureWindowConfig config = saturationWindow();
    config.kind = PureWindowKind::SaturationTemperature;
    config.name = "SaturationTemperatureCalculator";
    config.caption = "Saturation Temperature Calculator ";
    config.title = "Saturation Temperature Calculator";
    config.buttonCaption = "Click To Calculate Saturated Temperature";
    config.hasTemperature = false;
    config.pressureFilter = services::KeyFilter::UnsignedAnyPoints;
    config.loadFailure = "error in Form_Load";
    config.commandFailure = "error in Command1";
    config.lostFocusFailure = "error in Combo2_lostfocus";
    config.templateName = "saturationtemperaturecalculator.htm";
    config.resultKind = 3;
    // This window writes its pressure sweep into points1.dat.
    config.sweeps = {{"", "", points1FileName, Swept::Pressure}};
    config.sweepPlot = services::SweepPlot::SaturationTemperature;
    config.sweepFailure = "error in graphplottig";
    return config;
}

const std::map<PureWindowKind, PureWindowConfig>& configs()
{
    static const std::map<PureWindowKind, PureWindowConfig> table = {
        {PureWindowKind::MolarVolume, molarVolume()},
        {PureWindowKind::SaturationPressure, saturationPressure()},
        {PureWindowKind::SaturationTemperature, saturationTemperature()},
        {PureWindowKind::Fugacity, fugacity()},
        {PureWindowKind::Departure, departure()},
        {PureWindowKind::Entropy, entropy()},
        {PureWindowKind::Enthalpy, enthalpy()},
    };
    return table;
}

const SweepConfig* sweepWhere(const PureWindowConfig& config, std::string SweepConfig::*field, const std::string& value)
{
    const auto it = std::find_if(config.sweeps.begin(), config.sweeps.end(),
                                 [&](const SweepConfig& sweep) { return sweep.*field == value; });
    return it == config.sweeps.end() ? nullptr : &*it;
}

} // namespace

const PureWindowConfig& pureWindowConfig(PureWindowKind kind) { return configs().at(kind); }

const std::vector<PureWindowKind>& pureWindowKinds()
{
    static const std::vector<PureWindowKind> kinds = {
        PureWindowKind::MolarVolume, PureWindowKind::SaturationPressure, PureWindowKind::SaturationTemperature,
        PureWindowKind::Fugacity,    PureWindowKind::Departure,          PureWindowKind::Entropy,
        PureWindowKind::Enthalpy,
    };
    return kinds;
}

const SweepConfig* sweepFor(const PureWindowConfig& config, const std::string& argument)
{
    return sweepWhere(config, &SweepConfig::argument, argument);
}

const SweepConfig* sweepOfKind(const PureWindowConfig& config, const std::string& kind)
{
    return sweepWhere(config, &SweepConfig::kind, kind);
}

} // namespace calvex::pure
