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
constexpr double capNudge = 0.1;          // K added to a capped run
constexpr double narrowestBracket = 0.01; // K

template <class Law>
float guess(const EosState& state, std::string_view message, Law&& law)
{
    return trap(variantOf(state.host).messageIfTrapped(message), [&]() -> std::optional<float> { return law(); }).value_or(0.0f);
}

// The table of steps by the difference of the fugacities; the two largest add up (10 + 1).
float steppedTemperature(float T, const FugacityPair& f)
{
    const bool down = f[0] > f[1];
    const double difference = std::fabs(static_cast<double>(f[0]) - f[1]);
    const double sign = down ? -1.0 : 1.0;
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
float stepFromOneRoot(float T, bool aboveSaturation)
{
    const double sign = aboveSaturation ? -1.0 : 1.0;
    return single(single(T + sign * 10.0) + sign * 1.0);
}

struct BracketEnd {
    float T;
    FugacityPair fugacities;
    bool threeRoots;
};

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
        std::optional<BracketEnd> below;
        std::optional<BracketEnd> above;
        // Once a one-root state or a change of sign has been met, the run no longer follows the
        // plain stepped search, and a run that then reaches the cap has not converged.
        bool searchLeft = false;
        enum class End { Converged, Capped, Narrowed } end = End::Converged;
        for (int updates = 0;;) {
            const FugacityPair& f = at.fugacities;
            const bool oneRoot = at.roots.singleRealRoot();
            if (!oneRoot && std::fabs(static_cast<double>(f[0]) - f[1]) <= equalFugacityTolerance)
                break;
            const bool aboveSaturation = oneRoot ? at.roots.rootAboveInflection() : f[0] > f[1];
            (aboveSaturation ? above : below) = BracketEnd{T, f, !oneRoot};
            const bool bracketed = below && above;
            searchLeft = searchLeft || oneRoot || bracketed;
            if (bracketed && above->T - below->T < narrowestBracket) {
                end = End::Narrowed;
                break;
            }
            writeLogRow(state, services::roundedText(T, 1), f);
            if (bracketed)
                T = single((static_cast<double>(below->T) + above->T) / 2.0);
            else if (oneRoot)
                T = stepFromOneRoot(T, aboveSaturation);
            else
                T = steppedTemperature(T, f);
            ++updates;
            nextLogRow(state);
            at = need(fugacities(state, T));
            if (updates >= updateCap) {
                end = End::Capped;
                break;
            }
        }
        float returned = T;
        FugacityPair shownFugacities = at.fugacities;
        if (end == End::Capped) {
            returned = searchLeft ? 0.0f : (T = single(T + capNudge));
        } else if (end == End::Narrowed) {
            // Both ends lie within 0.01 K of saturation; return the better one that is a real
            // two-phase state. Two one-root ends mean there is no saturation at this pressure.
            const auto gap = [](const BracketEnd& e) { return std::fabs(static_cast<double>(e.fugacities[0]) - e.fugacities[1]); };
            const BracketEnd* best = nullptr;
            for (const BracketEnd* e : {&*below, &*above})
                if (e->threeRoots && (!best || gap(*e) < gap(*best)))
                    best = e;
            if (best) {
                T = returned = best->T;
                shownFugacities = best->fugacities;
            } else {
                returned = 0.0f;
            }
        }
        writeLogRow(state, services::roundedText(T, 1), shownFugacities);
        return returned;
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
