#include "pure/purecalculator.h"

#include "pure/calculationfault.h"
#include "services/numbers.h"
#include "services/resultformat.h"
#include "services/units.h"

namespace calvex::pure {
namespace {

using services::singleText;
using services::ui;
using services::val;

const std::string invalidInput = "invalid input so quiting";
const std::string notFound = "component not found in the database";

core::EosHost hostOf(PureWindowKind kind)
{
    switch (kind) {
    case PureWindowKind::MolarVolume: return core::EosHost::MolarVolumeCalculator;
    case PureWindowKind::SaturationPressure: return core::EosHost::SaturationPressureCalculator;
    case PureWindowKind::SaturationTemperature: return core::EosHost::SaturationTemperatureCalculator;
    case PureWindowKind::Fugacity: return core::EosHost::PureComponentFugacityCalculator;
    case PureWindowKind::Departure: return core::EosHost::DepartureFunctionCalculator;
    case PureWindowKind::Entropy: return core::EosHost::EntropyCalculator;
    case PureWindowKind::Enthalpy: return core::EosHost::EnthalpyCalculator;
    }
    return core::EosHost::EnthalpyCalculator;
}

bool isSaturationWindow(PureWindowKind kind)
{
    return kind == PureWindowKind::SaturationPressure || kind == PureWindowKind::SaturationTemperature;
}

} // namespace

PureCalculator::PureCalculator(PureWindowKind kind, PureWindowServices& services)
    : m_config(pureWindowConfig(kind)), m_services(services), m_state(hostOf(kind))
{
    m_state.optionno = 1;
    m_state.result.assign(static_cast<std::size_t>(m_config.resultSize), std::string());
}

bool PureCalculator::showNotListedDialogs(const std::string& listText)
{
    services::ModalDialog* constants = m_services.dialog(constantsDialogName);
    if (!constants)
        return false;
    // All four boxes are read before the test.
    bool missing = false;
    for (int box = 1; box <= 4; ++box)
        missing = (val(constants->fieldText(box)) == 0) || missing;
    if (listText != notListed || !missing)
        return true;
    ui().showModal(*constants);
    if (m_config.asksHeatCapacity) {
        services::ModalDialog* heatCapacity = m_services.dialog(heatCapacityDialogName);
        if (!heatCapacity)
            return false;
        ui().showModal(*heatCapacity);
    }
    return true;
}

bool PureCalculator::calculate(const FormReading& form)
{
    try {
        return runCalculation(form);
    } catch (const CalculationFault&) {
        if (!m_config.commandFailure.empty())
            ui().message(m_config.commandFailure);
        return false;
    }
}

bool PureCalculator::runCalculation(const FormReading& form)
{
    if (isSaturationWindow(m_config.kind))
        m_state.result.assign(m_state.result.size(), std::string());
    if (m_config.hasTemperature) {
        m_state.T = single(val(form.temperatureText));
        m_Tunit = form.temperatureUnit;
    }
    if (m_config.hasPressure) {
        m_state.p = single(val(form.pressureText));
        m_Punit = form.pressureUnit;
    }
    m_state.component.compoundname = form.listText;
    if (form.listText == notListed && !showNotListedDialogs(form.listText))
        throw CalculationFault("a data-entry dialog is missing");
    if (!readConstants(form))
        return false;
    if (m_config.asksReference)
        m_state.Tref = single(val(ui().ask(m_config.referencePrompt)));
    if (!checkConstants())
        return false;
    if (m_config.hasTemperature
        && !checkState(m_state.T, services::holdsNumber(form.temperatureText) ? services::ToKelvin : nullptr,
                       m_config.temperatureMessage, "Enter valid Temperature in kelvin",
                       &m_Tunit, "kelvin"))
        return false;
    if (m_config.asksReference
        && !checkState(m_state.Tref, nullptr, "Reference Temperature cannot be  negative",
                       "Enter valid Temperature in kelvin", nullptr, nullptr))
        return false;
    if (m_config.hasPressure
        && !checkState(m_state.p, services::holdsNumber(form.pressureText) ? services::ToPascal : nullptr,
                       "Pressure cannot be zero or negative",
                       "Enter valid Pressure  in bar", &m_Punit, "bar"))
        return false;
    writeInputValues();
    convert();
    if (!computeReport())
        return false;
    m_snapshot = m_state;
    services::ShowResultReport(m_config.count, m_state.result, m_config.templateName, m_config.resultKind);
    return true;
}

bool PureCalculator::readConstants(const FormReading& form)
{
    if (form.listText != notListed) {
        if (!form.sno)
            throw CalculationFault("no component is selected");
        const ComponentColumns columns =
            m_config.asksHeatCapacity ? ComponentColumns::HeatCapacity : ComponentColumns::VapourPressure;
        const ComponentLookup lookup = m_services.readComponent(*form.sno, m_state.component, columns);
        if (!lookup.ok())
            throw CalculationFault(*lookup.error);
        if (!lookup.found) {
            // The previous calculation's constants (Pc already in Pa) must not pass for this component's.
            ui().message(notFound);
            return false;
        }
        return true;
    }
    services::ModalDialog* dialog = m_services.dialog(constantsDialogName);
    if (!dialog)
        throw CalculationFault("the constants dialog is missing");
    m_state.component.compoundname = dialog->fieldText(0);
    m_state.component.Tc = single(val(dialog->fieldText(1)));
    m_state.component.Pc = single(val(dialog->fieldText(2)));
    m_state.component.omega = single(val(dialog->fieldText(3)));
    m_state.component.Tb = single(val(dialog->fieldText(4)));
    m_state.component.eq = 0;
    if (m_config.asksHeatCapacity) {
        services::ModalDialog* heatCapacity = m_services.dialog(heatCapacityDialogName);
        if (!heatCapacity)
            throw CalculationFault("the heat-capacity dialog is missing");
        m_state.component.CPVAPA = single(val(heatCapacity->fieldText(0)));
        m_state.component.CPVAPB = single(val(heatCapacity->fieldText(1)));
        m_state.component.CPVAPC = single(val(heatCapacity->fieldText(2)));
        m_state.component.CPVAPD = single(val(heatCapacity->fieldText(3)));
    }
    if (m_config.unloadsConstantsDialog)
        m_services.unloadDialog(constantsDialogName);
    return true;
}

bool PureCalculator::checkConstants()
{
    const ConstantCheckRules& rules = m_config.checks;
    const auto named = [&](const char* text) { return rules.negativeRepliesNamed ? std::string(text) : std::string(); };
    auto& c = m_state.component;
    return checkConstant(c.Pc, "Please enter the Critical pressure(in bar) it is unavailable", true, {})
        && checkConstant(c.Tc, "Please enter the Critical Temperature(in kelvin) it is unavailable", true,
                         named("Tc cannot be negative so quiting"))
        && checkConstant(c.Tb, "Please enter the Normal Boiling  Temperature(in kelvin) it is unavailable", true,
                         named("Tb cannot be negative so quiting"))
        && checkConstant(c.omega, rules.omegaPrompt, rules.omegaAskedWhenNegative,
                         named("omega cannot be negative so quiting"));
}

bool PureCalculator::checkConstant(float& value, const std::string& prompt, bool askedWhenNegative,
                                   const std::string& negativeMessage)
{
    if (askedWhenNegative ? value > 0 : value != 0)
        return true;
    const double reply = val(ui().ask(prompt));
    if (reply > 0) {
        value = single(reply);
        return true;
    }
    ui().message(reply < 0 && !negativeMessage.empty() ? negativeMessage : invalidInput);
    return false;
}

bool PureCalculator::checkState(float& value, UnitConversion toBaseUnit, const std::string& message,
                                const std::string& prompt, std::string* unit, const char* promptUnit)
{
    // The value is checked in kelvin or pascal, as the calculation will see it: -40 celsius is
    // a temperature, and one that overflows in the conversion (which gives 0) is none.
    float converted = value;
    if (toBaseUnit && unit)
        toBaseUnit(converted, *unit);
    if (converted > 0)
        return true;
    ui().message(message);
    const double reply = val(ui().ask(prompt));
    if (!(reply > 0))
        return false;
    value = single(reply);
    // A reply is in the unit its prompt names, whatever the unit list shows.
    if (unit)
        *unit = promptUnit;
    return true;
}

void PureCalculator::writeInputValues()
{
    auto& result = m_state.result;
    switch (m_config.kind) {
    case PureWindowKind::SaturationPressure:
        result[1] = singleText(m_state.T) + "(" + m_Tunit + ")";
        return;
    case PureWindowKind::SaturationTemperature:
        result[1] = singleText(m_state.p) + "(" + m_Punit + ")";
        return;
    default:
        result[1] = singleText(m_state.T) + "  " + m_Tunit;
        result[2] = singleText(m_state.p) + "  " + m_Punit;
        result[3] = m_state.component.compoundname;
        result[4] = singleText(m_state.component.Tc);
        result[5] = singleText(m_state.component.Pc);
        result[6] = singleText(m_state.component.omega);
    }
}

void PureCalculator::convert()
{
    if (m_config.hasTemperature)
        m_state.T = services::ToKelvin(m_state.T, m_Tunit);
    if (m_config.hasPressure)
        m_state.p = services::ToPascal(m_state.p, m_Punit);
    m_state.component.Pc = single(static_cast<double>(m_state.component.Pc) * services::pascalPerBar);
}

bool PureCalculator::computeReport()
{
    switch (m_config.kind) {
    case PureWindowKind::MolarVolume: return reportMolarVolume();
    case PureWindowKind::SaturationPressure:
    case PureWindowKind::SaturationTemperature: return reportSaturation();
    case PureWindowKind::Fugacity: return reportFugacity();
    case PureWindowKind::Departure: return reportDeparture();
    case PureWindowKind::Entropy:
    case PureWindowKind::Enthalpy: return reportEnthalpy();
    }
    return false;
}

} // namespace calvex::pure
