#include "mixture/windows/calculaterun.h"

#include "pure/calculationfault.h"
#include "pure/purewindowconfig.h"
#include "services/numbers.h"
#include "services/units.h"

#include <cmath>
#include <span>

namespace calvex::mixture {
namespace {

using pure::CalculationFault;
using pure::single;
using services::ui;
using services::val;

const std::string outOfRange = "\r\n so no calculation possible";

float valueOf(const std::string& text) { return single(val(text)); }

} // namespace

CalculateRun::CalculateRun(const MixtureWindowConfig& config, const SelectionReading& reading,
                           pure::PureWindowServices& services, MixtureRunState work,
                           std::optional<MixtureRunState>& snapshot, services::ResultLines& out,
                           std::function<void()> showInputWindow)
    : m_config(config),
      m_reading(reading),
      m_services(services),
      m_work(std::move(work)),
      m_snapshot(snapshot),
      m_out(out),
      m_showInputWindow(std::move(showInputWindow))
{
}

void CalculateRun::readTemperature()
{
    m_work.T = valueOf(m_reading.temperatureText);
    m_work.Tunit = m_reading.temperatureUnit;
}

void CalculateRun::readPressure()
{
    m_work.P = valueOf(m_reading.pressureText);
    m_work.Punit = m_reading.pressureUnit;
    m_pressureReentered = false;
}

void CalculateRun::readCount()
{
    const std::optional<short> n = services::wholeNumber(m_reading.countText);
    // The window has six component components; any other count addresses a slot it lacks.
    if (!n || *n < 1 || *n > maxComponents)
        throw CalculationFault("no component slot for that count");
    m_work.n = *n;
}

services::ModalDialog& CalculateRun::constantsDialog(int component)
{
    services::ModalDialog* dialog =
        m_services.dialog(std::string(pure::constantsDialogName) + std::to_string(component));
    if (!dialog)
        throw CalculationFault("the constants dialog is missing");
    return *dialog;
}

void CalculateRun::checkLastComponent()
{
    const int n = m_work.n;
    if (m_reading.components[n - 1].listText != pure::notListed)
        return;
    services::ModalDialog& dialog = constantsDialog(n);
    for (int box = 1; box <= 4; ++box) {
        if (val(dialog.fieldText(box)) == 0) {
            ui().showModal(dialog);
            return;
        }
    }
}

bool CalculateRun::gather()
{
    for (int k = 1; k <= m_work.n; ++k) {
        const SlotReading& slot = m_reading.components[k - 1];
        m_fromDialog[k] = slot.listed != 1;
        if (m_fromDialog[k]) {
            services::ModalDialog& dialog = constantsDialog(k);
            m_work.names[k] = dialog.fieldText(0);
            m_work.Tc[k] = valueOf(dialog.fieldText(1));
            m_work.Pc[k] = valueOf(dialog.fieldText(2));
            m_work.omega[k] = valueOf(dialog.fieldText(3));
            m_work.Tb[k] = valueOf(dialog.fieldText(4));
        } else {
            if (!slot.sno)
                throw CalculationFault("no component is chosen");
            m_work.names[k] = slot.listText;
            core::ComponentConstants constants;
            const pure::ComponentLookup lookup =
                m_services.readComponent(*slot.sno, constants, pure::ComponentColumns::Critical);
            if (!lookup.ok())
                throw CalculationFault(*lookup.error);
            if (!lookup.found) {
                // The previous run's constants must not pass for this component's.
                ui().message("component not found in the database");
                return false;
            }
            m_work.Pc[k] = constants.Pc;
            m_work.Tc[k] = constants.Tc;
            m_work.Tb[k] = constants.Tb;
            m_work.omega[k] = constants.omega;
        }
        m_work.z[k] = valueOf(slot.molFraction);
    }
    return true;
}

void CalculateRun::readOption()
{
    const std::optional<short> option = services::wholeNumber(m_reading.optionnoText);
    if (!option)
        throw CalculationFault("the equation option is not a number");
    m_work.optionno = *option;
}

float CalculateRun::askValue(const std::string& prompt)
{
    m_work.inputtext = ui().ask(prompt);
    return valueOf(m_work.inputtext);
}

bool CalculateRun::repairPositive(float& value, const std::string& prompt, const std::string& negativeMessage)
{
    if (value > 0)
        return true;
    const float answer = askValue(prompt);
    if (answer > 0) {
        value = answer;
        return true;
    }
    ui().message(answer < 0 && !negativeMessage.empty() ? negativeMessage : invalidInput);
    return false;
}

bool CalculateRun::repairConstants(FractionRule rule)
{
    for (int k = 1; k <= m_work.n; ++k) {
        const std::string& name = m_work.names[k];
        if (!repairPositive(m_work.Pc[k], "Please enter the Critical pressure(in bar) of  " + name + "  it is unavailable",
                            {}))
            return false;
        float& z = m_work.z[k];
        if (!(z > 0) || z >= 1) {
            z = askValue("invalid molfraction of " + name + " value type number between 0 and 1");
            const bool refused = rule == FractionRule::TakeZero ? z < 0 : !(z > 0);
            if (refused || z >= 1) {
                ui().message(invalidInput);
                return false;
            }
        }
        if (!repairPositive(m_work.Tc[k], "Please enter the Critical Temperature(in kelvin) of  " + name
                                              + "  it is unavailable",
                            "Tc cannot be negative so quiting"))
            return false;
        if (!repairPositive(m_work.Tb[k], "Please enter the Normal Boiling  Temperature(in kelvin) of  " + name
                                              + " it is unavailable",
                            "Tb cannot be negative so quiting"))
            return false;
        // A database acentric factor is used as it stands (air's is 0); only a dialog's empty
        // or zero box is asked for.
        if (m_fromDialog[k] && m_work.omega[k] == 0) {
            const float answer = askValue("Please enter the Acentric factor of  " + name + " it is unavailable");
            if (!(answer > 0)) {
                ui().message(answer < 0 ? "omega cannot be negative so quiting" : invalidInput);
                return false;
            }
            m_work.omega[k] = answer;
        }
    }
    return true;
}

bool CalculateRun::refuseDuplicates()
{
    for (int j = 1; j <= m_work.n; ++j) {
        for (int m = j + 1; m <= m_work.n; ++m) {
            if (m_work.names[j] == m_work.names[m]) {
                ui().message("Two or more components cannot have same name so exiting");
                return false;
            }
        }
    }
    return true;
}

namespace {

enum class StateCheck { Kept, Reentered, Refused };

// A state value is checked as it will be used, converted to kelvin or pascal; a box without a
// digit is checked as the 0 it reads, whatever its unit. A re-entered value replaces it in
// `reenteredUnit`, unconverted.
StateCheck checkState(float& value, std::string& unit, const std::string& text,
                      float (*converter)(float&, const std::string&), const StatePrompt& texts,
                      const char* reenteredUnit)
{
    float converted = value;
    const float base = services::holdsNumber(text) ? converter(converted, unit) : value;
    if (base > 0 && std::isfinite(base))
        return StateCheck::Kept;
    ui().message(texts.message);
    const float answer = valueOf(ui().ask(texts.prompt));
    if (!(answer > 0))
        return StateCheck::Refused;
    value = answer;
    unit = reenteredUnit;
    return StateCheck::Reentered;
}

} // namespace

bool CalculateRun::checkTemperature(const StatePrompt& texts)
{
    return checkState(m_work.T, m_work.Tunit, m_reading.temperatureText, services::ToKelvin, texts, "kelvin")
        != StateCheck::Refused;
}

bool CalculateRun::checkPressure(const StatePrompt& texts)
{
    const StateCheck check =
        checkState(m_work.P, m_work.Punit, m_reading.pressureText, services::ToPascal, texts, "bar");
    if (check == StateCheck::Reentered)
        m_pressureReentered = true;
    return check != StateCheck::Refused;
}

void CalculateRun::convertTemperature() { services::ToKelvin(m_work.T, m_work.Tunit); }

void CalculateRun::convertPressureToBar()
{
    if (m_pressureReentered)
        return;
    float pascal = m_work.P;
    m_work.P = single(services::ToPascal(pascal, m_work.Punit) / services::pascalPerBar);
}

void CalculateRun::convertPressureToPascal() { services::ToPascal(m_work.P, m_work.Punit); }

bool CalculateRun::checkTemperatureRange()
{
    for (int k = 1; k <= m_work.n; ++k) {
        if (m_work.T > m_work.Tc[k]) {
            ui().message("T is greater than Tc of one of conponent " + outOfRange);
            return false;
        }
    }
    return true;
}

bool CalculateRun::checkPressureRange()
{
    for (int k = 1; k <= m_work.n; ++k) {
        if (m_work.P >= m_work.Pc[k]) {
            ui().message("P is greater than or equal to  Pc of one of conponent " + outOfRange);
            return false;
        }
    }
    return true;
}

MixtureEngineFunction CalculateRun::engine() const { return mixtureEngineFor(m_work.optionno); }

MixtureResult callMixtureEngine(const MixtureRunState& s, MixtureMode mode, float T, float P,
                                services::ResultLines& out)
{
    const MixtureEngineFunction member = mixtureEngineFor(s.optionno);
    if (!member)
        return {};
    std::int16_t modeArgument = modeNumber(mode);
    return member(modeArgument, T, P, s.n, std::span<const std::string>(s.names), s.Tc, s.Pc, s.omega, s.Tb, s.z, out);
}

MixtureResult CalculateRun::callEngine(MixtureMode mode)
{
    if (!engine())
        return {};
    for (std::string& line : m_out)
        line.clear();
    return callMixtureEngine(m_work, mode, m_work.T, m_work.P, m_out);
}

void CalculateRun::showInputWindow() const
{
    if (m_showInputWindow)
        m_showInputWindow();
}

void CalculateRun::report(services::ResultLines& lines)
{
    services::ShowResultReport(m_config.reportCount, lines, m_config.templateName, m_config.resultKind);
    m_snapshot = m_work;
    m_reported = true;
}

} // namespace calvex::mixture
