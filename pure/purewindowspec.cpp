#include "pure/purewindowspec.h"

#include <algorithm>
#include <map>

namespace calvex::pure {
namespace {

const std::string listHint = "Select \"not Listed\" if compound is not in list";
const std::string acentricPrompt = "Please enter the Acentric factor it is unavailable";
const std::string temperatureMessage = "Temperature cannot be zero or negative";
const std::string points1 = "points1.dat";
const std::string points2 = "points2.dat";

UnitListSpec frameTemperatureUnits() { return {{"fahrenheit", "celsius", "kelvin"}, "kelvin"}; }
UnitListSpec framePressureUnits() { return {{"atm", "bar", "kpa", "mm Hg", "Mpa", "pa", "psia"}, "bar"}; }

// The enthalpy window, on which the frame is described; the others start from it.
PureWindowSpec enthalpy()
{
    PureWindowSpec spec;
    spec.kind = PureWindowKind::Enthalpy;
    spec.name = "EnthalpyCalculator";
    spec.caption = "Enthalpy  Calculator";
    spec.title = "Enthalpy  Calculator";
    spec.listHint = listHint;
    spec.buttonName = "Command1_Calculator";
    spec.buttonCaption = "Click To Calculate Entropy";
    spec.temperatureUnits = frameTemperatureUnits();
    spec.pressureUnits = framePressureUnits();
    spec.asksHeatCapacity = true;
    spec.asksReference = true;
    spec.referencePrompt = "The Enthalpy Of Saturated Liquid at the \r\n"
                           "specified Temperature will be assigned a value of zero \r\n"
                           "PLEASE SPECIFY THE TEMPERATURE(KELVIN) OF THE REFERENCE STATE";
    spec.checks = {"Please enter the ecentric factor it is unavailable", false, true};
    spec.temperatureMessage = temperatureMessage;
    spec.loadFailure = "error in loading data";
    spec.commandFailure = "error in command";
    spec.templateName = "PureComponentEnthalpycalculator.htm";
    spec.count = 24;
    spec.resultSize = 26;
    spec.resultKind = 7;
    spec.sweeps = {{"T", points1, Swept::Temperature}, {"P", points2, Swept::Pressure}};
    spec.curves = 2;
    spec.sweepPlot = services::SweepPlot::EnthalpyEntropy;
    spec.sweepFailure = "error in PDorTD graph";
    return spec;
}

PureWindowSpec entropy()
{
    PureWindowSpec spec = enthalpy();
    spec.kind = PureWindowKind::Entropy;
    spec.name = "EntropyCalculator";
    spec.caption = "Entropy Calculator";
    spec.title = "Entropy  Calculator";
    spec.referencePrompt = "The Entropy Of Saturated Liquid at the \r\n"
                           "specified Temperature will be assigned a value of zero \r\n"
                           "PLEASE SPECIFY THE TEMPERATURE(KELVIN) OF THE REFERENCE STATE";
    spec.checks.omegaPrompt = acentricPrompt;
    spec.resultKind = 6;
    return spec;
}

// The three windows that report the compressibility solve step by step.
PureWindowSpec stepsWindow()
{
    PureWindowSpec spec = enthalpy();
    spec.asksHeatCapacity = false;
    spec.asksReference = false;
    spec.referencePrompt.clear();
    spec.checks.omegaPrompt = acentricPrompt;
    return spec;
}

PureWindowSpec fugacity()
{
    PureWindowSpec spec = stepsWindow();
    spec.kind = PureWindowKind::Fugacity;
    spec.name = "PureComponentFugacityCalculator";
    spec.caption = "Fugacity  Calculator";
    spec.title = "Fugacity  Calculator";
    spec.buttonCaption = "Click To Calculate Fugacity";
    spec.temperatureUnits = {{"celsius", "fahrenheit", "kelvin"}, "kelvin"};
    spec.templateName = "PureComponentFugacitycalculator.htm";
    spec.count = 29;
    spec.resultSize = 31;
    spec.resultKind = 4;
    spec.sweeps = {{"T", points1, Swept::Temperature},
                   {"P", points2, Swept::Pressure}};
    spec.curves = 1;
    spec.sweepPlot = services::SweepPlot::PureFugacity;
    spec.sweepFailure = "error in PForTF graph";
    return spec;
}

PureWindowSpec molarVolume()
{
    PureWindowSpec spec = stepsWindow();
    spec.kind = PureWindowKind::MolarVolume;
    spec.name = "MolarVolumeCalculator";
    spec.caption = "Molar Volume Calculator";
    spec.title = "Molar Volume Calculator";
    spec.listHint = "Select \"not Listed\" if compound is not in the  list";
    spec.buttonName = "Command1";
    spec.buttonCaption = "Click To Calculate Molar Volume";
    spec.temperatureUnits = {{"kelvin", "fahrenheit", "celsius"}, "", ListKeys::SelectByLetter, true};
    spec.pressureUnits = {{"bar", "atm", "kpa", "mm Hg", "Mpa", "pa", "psia"}, "bar", ListKeys::Swallow, true};
    spec.componentKeys = ListKeys::SelectByLetter;
    spec.unloadsConstantsDialog = true;
    spec.checks = {acentricPrompt, true, false};
    spec.templateName = "molarvolumecalculator.htm";
    spec.count = 29;
    spec.resultSize = 31;
    spec.resultKind = 1;
    spec.sweeps = {{"T", points1, Swept::Temperature}, {"P", points2, Swept::Pressure}};
    spec.curves = 1;
    spec.sweepPlot = services::SweepPlot::MolarVolume;
    spec.sweepFailure = "error in PVorTV graph";
    return spec;
}

PureWindowSpec departure()
{
    PureWindowSpec spec = stepsWindow();
    spec.kind = PureWindowKind::Departure;
    spec.name = "DepartureFunctionCalculator";
    spec.caption = "Departure Function Calculator";
    spec.title = "Departure Function Calculator";
    spec.buttonCaption = "          Click To Calculate ";
    spec.componentKeys = ListKeys::SelectByLetter;
    spec.lostFocusFailure = "error in cobo2";
    spec.templateName = "PureComponentDeparturecalculator.htm";
    spec.count = 28;
    spec.resultSize = 29;
    spec.resultKind = 5;
    spec.sweeps = {{"T", points1, Swept::Temperature},
                   {"P", points2, Swept::Pressure}};
    spec.curves = 2;
    spec.sweepPlot = services::SweepPlot::PureDeparture;
    spec.sweepFailure = "error in PDorTD graph";
    return spec;
}

// The two saturation windows: one state box, a 320-value report with the iteration log, and
// one sweep called without an argument.
PureWindowSpec saturationWindow()
{
    PureWindowSpec spec = stepsWindow();
    spec.resultSize = 321;
    spec.count = 320;
    spec.curves = 1;
    return spec;
}

PureWindowSpec saturationPressure()
{
    PureWindowSpec spec = saturationWindow();
    spec.kind = PureWindowKind::SaturationPressure;
    spec.name = "SaturationPressureCalculator";
    spec.caption = "Saturation Pressure  Calculator";
    spec.title = "Saturation Pressure  Calculator";
    spec.buttonName = "Command1_saturatedpressureCalculator";
    spec.buttonCaption = "Click To Calculate Saturation Pressure";
    spec.hasPressure = false;
    spec.temperatureFilter = BoxFilter::SignedAnyPoints;
    spec.checks = {acentricPrompt, true, true};
    spec.temperatureMessage = "Temperature(in kelvin) cannot be zero or negative";
    spec.loadFailure = "error in loading database";
    spec.commandFailure = "error in command1";
    spec.templateName = "saturationpressurecalculator.htm";
    spec.resultKind = 2;
    spec.sweeps = {{"", points1, Swept::Temperature}};
    spec.sweepPlot = services::SweepPlot::SaturationPressure;
    spec.sweepFailure = "error in graph plotting";
    return spec;
}

PureWindowSpec saturationTemperature()
{
    PureWindowSpec spec = saturationWindow();
    spec.kind = PureWindowKind::SaturationTemperature;
    spec.name = "SaturationTemperatureCalculator";
    spec.caption = "Saturation Temperature Calculator ";
    spec.title = "Saturation Temperature Calculator";
    spec.buttonCaption = "Click To Calculate Saturated Temperature";
    spec.hasTemperature = false;
    spec.pressureFilter = BoxFilter::UnsignedAnyPoints;
    spec.loadFailure = "error in Form_Load";
    spec.commandFailure = "error in Command1";
    spec.lostFocusFailure = "error in Combo2_lostfocus";
    spec.templateName = "saturationtemperaturecalculator.htm";
    spec.resultKind = 3;
    // This window writes its pressure sweep into points1.dat.
    spec.sweeps = {{"", points1, Swept::Pressure}};
    spec.sweepPlot = services::SweepPlot::SaturationTemperature;
    spec.sweepFailure = "error in graphplottig";
    return spec;
}

const std::map<PureWindowKind, PureWindowSpec>& specs()
{
    static const std::map<PureWindowKind, PureWindowSpec> table = {
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

} // namespace

const PureWindowSpec& pureWindowSpec(PureWindowKind kind) { return specs().at(kind); }

const std::vector<PureWindowKind>& pureWindowKinds()
{
    static const std::vector<PureWindowKind> kinds = {
        PureWindowKind::MolarVolume, PureWindowKind::SaturationPressure, PureWindowKind::SaturationTemperature,
        PureWindowKind::Fugacity,    PureWindowKind::Departure,          PureWindowKind::Entropy,
        PureWindowKind::Enthalpy,
    };
    return kinds;
}

const SweepSpec* sweepFor(const PureWindowSpec& spec, const std::string& argument)
{
    const auto it = std::find_if(spec.sweeps.begin(), spec.sweeps.end(),
                                 [&](const SweepSpec& sweep) { return sweep.argument == argument; });
    return it == spec.sweeps.end() ? nullptr : &*it;
}

bool boxKeyAccepted(BoxFilter filter, const std::string& text, char key)
{
    if ((key >= '0' && key <= '9') || key == '\b')
        return true;
    const bool signedBox = filter == BoxFilter::SignedNumber || filter == BoxFilter::SignedAnyPoints;
    const bool onePoint = filter == BoxFilter::SignedNumber || filter == BoxFilter::UnsignedNumber;
    if (key == '.')
        return !onePoint || text.find('.') == std::string::npos;
    if (key == '-')
        return signedBox && text.empty();
    return false;
}

} // namespace calvex::pure
