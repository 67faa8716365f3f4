// The part of each window's calculation that follows the conversion: its core calls and the
// report values they give.

#include "core/compressibility.h"
#include "core/departure.h"
#include "core/enthalpyentropy.h"
#include "core/fugacity.h"
#include "core/saturationpressure.h"
#include "core/saturationtemperature.h"
#include "pure/calculationfault.h"
#include "pure/purecalculator.h"
#include "services/numbers.h"
#include "services/units.h"

namespace calvex::pure {
namespace {

using services::pascalPerBar;
using services::roundedText;
using services::singleText;
using services::ui;

constexpr double R = 8.314; // J/(mol K)

} // namespace

bool PureCalculator::reportEnthalpy()
{
    auto& result = m_state.result;
    result[7] = singleText(m_state.T);
    result[8] = singleText(m_state.p);
    result[9] = singleText(m_state.component.CPVAPA);
    result[10] = singleText(m_state.component.CPVAPB);
    result[11] = singleText(m_state.component.CPVAPC);
    result[12] = singleText(m_state.component.CPVAPD);
    result[16] = singleText(m_state.Tref) + "(Kelvin)";
    m_state.stepsflag = 1;
    // A failed eecal has shown its message; the calculation ends there, without a page.
    return core::eecal(m_state).has_value();
}

std::optional<core::CubicRoots> PureCalculator::stepsSolve()
{
    m_state.stepsflag = 1;
    std::optional<core::CubicRoots> roots = core::compressibilityRoots(m_state, m_state.T, m_state.p);
    m_state.stepsflag = 0;
    if (!roots)
        return std::nullopt;
    const core::CardanDetails& details = roots->details;
    auto& result = m_state.result;
    result[19] = singleText(details.D);
    result[20] = singleText(details.p);
    result[21] = singleText(details.q);
    result[22] = singleText(details.r());
    result[23] = singleText(details.phi());
    return roots;
}

template <class ValueText>
void PureCalculator::writePhase(const core::CubicRoots& roots, ValueText valueText, const std::string& between)
{
    const float liquidZ = roots.roots[0];
    const float vapourZ = roots.roots[2];
    auto& result = m_state.result;
    auto vapour = [&] {
        result[24] = "vapor";
        result[25] = "vapor";
        result[26] = singleText(vapourZ);
        result[27] = valueText(false);
    };
    // Below the critical temperature the phase follows from the saturation pressure; a failed
    // saturation pressure comes back as 0, below any accepted pressure, so the state reads liquid.
    if (!(m_state.T < m_state.component.Tc)) {
        vapour();
        return;
    }
    const float psat = core::Psatcal(m_state);
    if (m_state.p > psat) {
        result[24] = "liquid";
        result[25] = "liquid";
        result[26] = singleText(liquidZ);
        result[27] = valueText(true);
    } else if (m_state.p == psat) {
        result[24] = " liquid and vapor mixture";
        result[25] = "vapor";
        result[26] = singleText(vapourZ) + "Z of liquid = " + singleText(liquidZ);
        result[27] = between;
    } else {
        vapour();
    }
}

bool PureCalculator::reportMolarVolume()
{
    auto& result = m_state.result;
    result[7] = singleText(m_state.T);
    result[8] = singleText(m_state.p);
    try {
        const std::optional<core::CubicRoots> roots = stepsSolve();
        if (!roots)
            throw CalculationFault("no compressibility roots");
        const float volumeL = single(roots->roots[0] * R * m_state.T / m_state.p);
        const float volumeV = single(roots->roots[2] * R * m_state.T / m_state.p);
        writePhase(
            *roots, [&](bool liquid) { return singleText(liquid ? volumeL : volumeV); },
            "somewhere in between volume of Sat liquid and volume of Sat vapor depending upon quality factor"
            "where volume of sat liquid = " + singleText(volumeL) + "volume of sat vapor = " + singleText(volumeV));
    } catch (const CalculationFault&) {
        // The report is still shown, with the values written before the failure.
        ui().message("error in volumecal");
    }
    return true;
}

bool PureCalculator::reportFugacity()
{
    auto& result = m_state.result;
    result[7] = singleText(m_state.T);
    result[8] = singleText(m_state.p);
    const std::optional<core::CubicRoots> roots = stepsSolve();
    if (!roots)
        return false;
    // The core has shown its message when it returns no roots or no pair: no report then.
    const std::optional<core::FugacityPair> pair = core::Fugasitycal(m_state, m_state.p);
    if (!pair)
        return false;
    const auto bar = [](float fugacity) { return roundedText(static_cast<double>(fugacity) / pascalPerBar, 3); };
    const float liquid = (*pair)[0];
    const float vapour = (*pair)[1];
    writePhase(
        *roots, [&](bool isLiquid) { return bar(isLiquid ? liquid : vapour); },
        "somewhere in between fugacity of Sat liquid and fugacity of Sat vapor depending upon quality factor"
        "where fugacity of sat liquid = " + bar(liquid) + "fugacity of sat vapor = " + bar(vapour));
    return true;
}

bool PureCalculator::reportDeparture()
{
    auto& result = m_state.result;
    result[7] = roundedText(m_state.T, 2);
    result[8] = roundedText(m_state.p, 2);
    const std::optional<core::CubicRoots> roots = stepsSolve();
    if (!roots)
        return false;
    result[24] = singleText(roots->roots[0]);
    result[25] = singleText(roots->roots[2]);
    const auto departures = core::Departure(m_state, m_state.T, m_state.p, roots->roots[2]);
    if (!departures)
        return false;
    result[26] = singleText((*departures)[0]);
    result[27] = singleText((*departures)[1]);
    return true;
}

// The two saturation windows: refused at and above the critical point; otherwise one run of
// the iteration, which writes the equation's name and the log rows itself.
bool PureCalculator::reportSaturation()
{
    const bool pressureWindow = m_config.kind == PureWindowKind::SaturationPressure;
    const bool refused = pressureWindow ? m_state.T >= m_state.component.Tc : m_state.p >= m_state.component.Pc;
    if (refused) {
        ui().message(pressureWindow ? "Temperature of the system is greater than the Critical Temperature So it will "
                                      "only be in gas phase\r\n there is no question of saturation presure above "
                                      "Critical Temperature"
                                    : "Pressure of the system is greater than the Critical Pressure So it will only "
                                      "be in gas phase\r\n there is no question of saturation Temperature above "
                                      "Critical Pressure");
        return false;
    }
    auto& result = m_state.result;
    result[2] = m_state.component.compoundname;
    result[3] = singleText(m_state.component.Tc);
    result[4] = singleText(m_state.component.Pc);
    result[5] = singleText(m_state.component.omega);
    result[7] = singleText(pressureWindow ? m_state.T : m_state.p);
    const float saturation = pressureWindow ? core::Psatcal(m_state) : core::Tsatcal(m_state);
    if (!(saturation > 0)) {
        ui().message("Calcution not possible iteration not converging");
        return false;
    }
    // The pressure in bar to 3 decimals, the temperature in K to 2.
    result[8] = pressureWindow ? roundedText(static_cast<double>(saturation) / pascalPerBar, 3)
                               : roundedText(saturation, 2);
    return true;
}

} // namespace calvex::pure
