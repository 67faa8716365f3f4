#include "core/saturationpressure.h"

#include "core/checkedmath.h"
#include "core/hostvariant.h"
#include "core/reportcells.h"
#include "core/vapourpressure.h"

#include "services/numbers.h"
#include "services/units.h"

#include <cmath>

namespace calvex::core {
namespace {

using namespace detail;

// What the evaluations so far say about where the saturation pressure lies. A state with one
// real root is never a saturation state (belowSaturation tells on which side it lies).
// Saturation never lies above the critical pressure; twice Pc stays clear of the equation's own
// critical point, which its rounded constants shift slightly.
class PressureBracket {
public:
    explicit PressureBracket(const EosState& state)
    {
        const double Pc = state.component.Pc;
        if (std::isfinite(Pc) && Pc > 0.0) {
            record(2.0 * Pc, false);
            m_subcritical = state.T < state.component.Tc;
            m_Pc = Pc;
        }
    }

    // A vapour-like single root (above the inflection point) says the pressure is below
    // saturation, a liquid-like one above. But below Tc saturation lies below Pc, and at and
    // above Pc Z rises with P, so there a root above the inflection point is no vapour: such a
    // state is above saturation whatever its Z. At and above Tc no such rule holds.
    bool belowSaturation(float P, const CubicRoots& roots) const
    {
        if (m_subcritical && P >= m_Pc)
            return false;
        return roots.rootAboveInflection();
    }

    void record(double P, bool belowSaturation)
    {
        if (belowSaturation) {
            m_below = P;
            m_belowKnown = true;
        } else {
            m_above = P;
            m_aboveKnown = true;
        }
    }

    // Once both sides are known and no room is left between them, no three-root state exists.
    bool collapsed() const { return m_belowKnown && m_aboveKnown && m_above <= m_below * (1.0 + 1e-6); }

    double nextAfterOneRoot(double P, bool belowSaturation) const
    {
        if (m_belowKnown && m_aboveKnown)
            return std::sqrt(m_below * m_above);
        return belowSaturation ? 2.0 * P : 0.5 * P;
    }

private:
    double m_below = 0.0;
    double m_above = 0.0;
    bool m_belowKnown = false;
    bool m_aboveKnown = false;
    bool m_subcritical = false;
    double m_Pc = 0.0;
};

} // namespace

float Psatiteration1(EosState& state, float Psatguess, const FugacitySource& fugacities)
{
    const HostVariant& variant = variantOf(state.host);
    const bool logging = variant.fugacityMode == FugacityMode::LoggingPressure;
    const auto pressure = trap(variant.psatiterationMessage, [&]() -> std::optional<float> {
        if (logging) {
            state.nos = 1;
            state.logoffset = 0;
        }
        float P = Psatguess;
        const auto pressureInBar = [&](std::string& cell) {
            services::assignDoubleText(cell, P / services::pascalPerBar);
        };
        FugacityEvaluation at = need(fugacities(state, P));
        PressureBracket bracket(state);
        bool converged = false;
        // The evaluation after the last update is tested too: a run converges or ends unconverged.
        for (int updates = 0;; ++updates) {
            const FugacityPair& f = at.fugacities;
            const bool oneRoot = at.roots.singleRealRoot();
            const bool oneRootBelow = oneRoot && bracket.belowSaturation(P, at.roots);
            if (oneRoot) {
                bracket.record(P, oneRootBelow);
                if (bracket.collapsed())
                    break;
            } else {
                if (fugacitiesAgree(at)) {
                    converged = true;
                    break;
                }
                bracket.record(P, f[0] > f[1]);
            }
            if (updates >= variant.psatUpdateCap)
                break;
            if (logging)
                writeLogRow(state, pressureInBar, f);
            P = oneRoot ? single(bracket.nextAfterOneRoot(P, oneRootBelow))
                        : single(quotient(static_cast<double>(P) * f[0], f[1]));
            if (logging)
                nextLogRow(state);
            at = need(fugacities(state, P));
        }
        if (logging)
            writeLogRow(state, pressureInBar, at.fugacities);
        return converged ? P : 0.0f;
    });
    return pressure.value_or(0.0f);
}

float Psatiteration1(EosState& state, float Psatguess)
{
    return Psatiteration1(state, Psatguess, fugacityEvaluation);
}

float Psatcal(EosState& state, const FugacitySource& fugacities)
{
    // A fault in the correlation of a window without traps reaches here as no value at all.
    const std::optional<float> guess = PsatCorrelation(state);
    if (!guess)
        return 0.0f;
    return Psatiteration1(state, *guess, fugacities);
}

float Psatcal(EosState& state) { return Psatcal(state, fugacityEvaluation); }

} // namespace calvex::core
