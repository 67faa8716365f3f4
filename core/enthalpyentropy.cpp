#include "core/enthalpyentropy.h"

#include "core/checkedmath.h"
#include "core/departure.h"
#include "core/eosparameters.h"
#include "core/fugacity.h"
#include "core/saturationpressure.h"
#include "core/zcal.h"

#include <cmath>

namespace calvex::core {
namespace {

using namespace detail;

// The root of the phase that is stable at the state; the fugacities are needed only where
// the cubic has three real roots.
float stableRoot(EosState& state, const CubicRoots& roots)
{
    if (roots.singleRealRoot() || roots.roots[0] == roots.roots[2])
        return roots.roots[2];
    const FugacityEvaluation at = need(fugacityEvaluation(state, state.p));
    return smallestRootIsStable(at) ? roots.roots[0] : roots.roots[2];
}

} // namespace

std::optional<EnthalpyEntropy> eecal(EosState& state)
{
    const float stateT = state.T;
    state.T = state.Tref;
    const float Psat = Psatcal(state);
    state.T = stateT;

    return trap("error in enthalpy calulation", [&]() -> std::optional<EnthalpyEntropy> {
        const ComponentConstants& c = state.component;
        const double T = state.T;
        const double Tref = state.Tref;
        const double p = state.p;
        const double Tc = c.Tc;
        const double Tb = c.Tb;

        // Riedel at the normal boiling point (Pc in Pa scaled by 101300 Pa; 9.087202 = 1.093 R),
        // carried to Tref by Watson's law.
        const float dHn = single(quotient(naturalLog(quotient(c.Pc, 101300.0)) - 1.013, 0.93 - quotient(Tb, Tc)) *
                                 (Tb * 9.087202));
        const double watson = power(std::fabs(quotient(1.0 - quotient(Tref, Tc), 1.0 - quotient(Tb, Tc))), 0.38);
        const float dHv = single(dHn * watson);
        const float dSv = single(quotient(dHv, Tref));

        const std::optional<Equation> equation = equationOf(state.optionno);
        if (!equation)
            fault();
        writeSlot(state.result, 13, enthalpyReportName(*equation));
        const CubicRoots reference = need(zcal(*equation, state, state.Tref, Psat));
        const ResidualPair residualRef = need(Departure(state, state.Tref, Psat, reference.roots[2]));

        const double A = c.CPVAPA;
        const double B = c.CPVAPB;
        const double C = c.CPVAPC;
        const double D = c.CPVAPD;
        const float dHig = single(((T * T - Tref * Tref) * B / 2.0 + (T - Tref) * A) +
                                  (T * T * T - Tref * Tref * Tref) * C / 3.0 +
                                  (T * T * T * T - Tref * Tref * Tref * Tref) * D / 4.0);
        const float dSig = single(((T * T - Tref * Tref) * C / 2.0 + ((T - Tref) * B + A * naturalLog(quotient(T, Tref)))) +
                                  (T * T * T - Tref * Tref * Tref) * D / 3.0 - 8.314 * naturalLog(quotient(p, Psat)));

        const CubicRoots roots = need(zcal(*equation, state, state.T, state.p));
        const ResidualPair residual = need(Departure(state, state.T, state.p, stableRoot(state, roots)));

        // Saturated liquid -> saturated vapour -> ideal gas at Tref -> ideal gas at (T, p) -> real fluid.
        const float H = single(((static_cast<double>(dHv) - residualRef[0]) + dHig) + residual[0]);
        const float S = single(((static_cast<double>(dSv) - residualRef[1]) + dSig) + residual[1]);

        if (state.stepsflag == 1) {
            const std::pair<int, float> slots[] = {{14, H},    {15, S},    {17, dHv},         {18, dSv},
                                                   {19, residualRef[0]}, {20, residualRef[1]}, {21, dHig},
                                                   {22, dSig}, {23, residual[0]}, {24, residual[1]}};
            if (state.result.size() <= 24)
                fault();
            for (const auto& [slot, value] : slots)
                writeNumber(state.result, slot, value);
        }
        state.stepsflag = 0;
        return EnthalpyEntropy{H, S};
    });
}

} // namespace calvex::core
