#include "core/saturationtemperature.h"

#include "core/checkedmath.h"
#include "core/eosparameters.h"
#include "core/hostvariant.h"
#include "core/reportcells.h"

#include "services/numbers.h"

#include <cmath>
#include <string_view>

namespace calvex::core {
namespace {

using namespace detail;

constexpr int updateCap = 49;

template <class Law>
float guess(const EosState& state, std::string_view message, Law&& law)
{
    return trap(variantOf(state.host).messageIfTrapped(message), [&]() -> std::optional<float> { return law(); }).value_or(0.0f);
}

// The table of steps by the difference of the fugacities; the two largest add up (10 + 1).
// `growth` widens the steps of a search that keeps going one way.
float steppedTemperature(float T, const FugacityPair& f, double growth)
{
    const bool down = f[0] > f[1];
    const double difference = std::fabs(static_cast<double>(f[0]) - f[1]);
    const double sign = down ? -growth : growth;
    if (difference > 30000.0)
        T = single(T + sign * 10.0);
    if (difference > 10000.0)
        T = single(T + sign * 1.0);
    else if (difference > 5000.0)
        T = single(T + sign * 0.5);
    else
        T = single(T + sign * 0.1);
    return T;
}

// The largest step of the table, taken from a state with one real root, which shows the side
// of saturation but gives no difference of fugacities to size the step by.
float stepFromOneRoot(float T, bool aboveSaturation, double growth)
{
    const double sign = aboveSaturation ? -growth : growth;
    return single(single(T + sign * 10.0) + sign * 1.0);
}

// The table's steps suit a fugacity difference of kPa; at low pressure they are far too short
// to reach saturation within the cap, so from the third step of a search that has not yet met
// a change of side each step doubles.
double growthAfter(int updates) { return updates < 2 ? 1.0 : std::ldexp(1.0, updates - 1); }

} // namespace

float Tsatguesseqn0(const EosState& state)
{
    return guess(state, "error in Tsatguess0", [&] {
        const ComponentConstants& c = state.component;
        const double u = quotient(naturalLog(quotient(state.p, atmosphere)), naturalLog(quotient(c.Pc, atmosphere)));
        const double inverseTb = power(c.Tb, -1.0);
        const double w = inverseTb - (inverseTb - power(c.Tc, -1.0)) * u;
        const float T = single(quotient(1.0, w));
        return single(services::roundHalfEven(T, 1));
    });
}

float Tsatguesseqn3(const EosState& state)
{
    return guess(state, "error in Tsatguess3", [&] {
        const ComponentConstants& c = state.component;
        return single(quotient(c.VPB, c.VPA - naturalLog(quotient(state.p, 1e5))) - c.VPC);
    });
}

float Tsatiteration1(EosState& state, float Tsatguess, const FugacitySource& fugacities)
{
    const auto temperature = trap(variantOf(state.host).messageIfTrapped("error in Tsatiteration"), [&]() -> std::optional<float> {
        state.nos = 1;
        state.logoffset = 0;
        float T = Tsatguess;
        FugacityEvaluation at = need(fugacities(state, T));
        // The nearest temperatures known to lie below and above saturation: once both are known
        // the search bisects between them.
        std::optional<float> below;
        std::optional<float> above;
        bool converged = false;
        for (int updates = 0;; ++updates) {
            const FugacityPair& f = at.fugacities;
            const bool oneRoot = at.roots.singleRealRoot();
            if (!oneRoot && fugacitiesAgree(at)) {
                converged = true;
                break;
            }
            const bool aboveSaturation = oneRoot ? at.roots.rootAboveInflection() : f[0] > f[1];
            (aboveSaturation ? above : below) = T;
            if (updates >= updateCap)
                break;
            float next = 0.0f;
            if (below && above) {
                next = single((static_cast<double>(*below) + *above) / 2.0);
                // No 32-bit temperature left between the two ends.
                if (next == *below || next == *above)
                    break;
            } else {
                const double growth = growthAfter(updates);
                next = oneRoot ? stepFromOneRoot(T, aboveSaturation, growth) : steppedTemperature(T, f, growth);
                // Never a temperature at or below 0 K: halve the way there instead.
                if (!(next > 0.0f))
                    next = single(T / 2.0);
            }
            writeLogRow(state, [&](std::string& cell) { services::assignRoundedText(cell, T, 1); }, f);
            T = next;
            nextLogRow(state);
            at = need(fugacities(state, T));
        }
        writeLogRow(state, [&](std::string& cell) { services::assignRoundedText(cell, T, 1); }, at.fugacities);
        return converged ? T : 0.0f;
    });
    return temperature.value_or(0.0f);
}

float Tsatiteration1(EosState& state, float Tsatguess)
{
    return Tsatiteration1(state, Tsatguess, fugacityEvaluation);
}

float Tsatcal(EosState& state, const FugacitySource& fugacities)
{
    const float start = state.component.eq == 3 ? Tsatguesseqn3(state) : Tsatguesseqn0(state);
    return Tsatiteration1(state, start, fugacities);
}

float Tsatcal(EosState& state) { return Tsatcal(state, fugacityEvaluation); }

} // namespace calvex::core
