#include "activity/bubbletemperature.h"

#include "core/checkedmath.h"

#include <algorithm>
#include <cmath>

namespace calvex::activity {
namespace {

using namespace core::detail;

constexpr int lastPass = 5000;
constexpr float tolerance = 0.00001f;
// Each widening halves the lower end or doubles the upper one. Ten reach down to a few tenths
// of a kelvin, where every vapour pressure is 0 and F is −1, or up to a thousand times the
// hotter boiling temperature, where the law's pressures have long levelled off.
constexpr int lastWidening = 10;

template <class Body>
std::optional<float> trapped(Body&& body)
{
    try {
        return body();
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

// 1/Tb − 1/Tc, the span of the law in 1/T.
double inverseSpan(const BoilingConstants& c) { return quotient(1.0, c.Tb) - quotient(1.0, c.Tc); }

// Only a temperature above 0 K is a boiling or bubble temperature. Beyond its limit pressure the
// law's 1/T passes through 0, its boiling temperatures turn negative and a chord between them
// settles below 0 K too; such a curve has no point, however well the residual vanishes.
bool aboveAbsoluteZero(double T_K) { return T_K > 0; }

// The chord through the fixed point T1 converges only where its map T0 → Tn contracts at the
// root. Where component 1 boils far below component 2 the map's slope there is below −1 and
// the root repels; where it boils far above, the slope is near 1 and 5001 passes end just short
// of the test. Bisection finds the same root wherever F changes sign between two temperatures:
// the two boiling temperatures, widened outward while F keeps its sign at both.
BubbleSolve bisection(const ActivityModel& model, const BinaryConstants& components, float x1, float P, float T1,
                      float lastEstimate)
{
    const BubbleSolve noRoot{BubbleSolve::Outcome::NotConverged, lastEstimate};
    const std::optional<float> T2 = Tboilcal(P, components[1]);
    if (!T2)
        return noRoot;
    float low = std::min(T1, *T2);
    float high = std::max(T1, *T2);
    std::optional<float> Flow = F(model, components, x1, P, low);
    std::optional<float> Fhigh = F(model, components, x1, P, high);
    for (int widening = 0;; ++widening) {
        if (!Flow || !Fhigh)
            return {};
        if ((*Flow > 0) != (*Fhigh > 0))
            break;
        if (widening == lastWidening)
            return noRoot;
        // F above 0 at both ends: both lie above the bubble temperature.
        if (*Flow > 0) {
            low /= 2;
            Flow = F(model, components, x1, P, low);
        } else {
            high *= 2;
            Fhigh = F(model, components, x1, P, high);
        }
    }
    for (;;) {
        const float middle = static_cast<float>((static_cast<double>(low) + high) / 2);
        if (middle == low || middle == high)
            return noRoot;
        const std::optional<float> Fmiddle = F(model, components, x1, P, middle);
        if (!Fmiddle)
            return {};
        if (tolerance > std::fabs(*Fmiddle))
            return aboveAbsoluteZero(middle) ? BubbleSolve{BubbleSolve::Outcome::Converged, middle} : BubbleSolve{};
        ((*Fmiddle > 0) == (*Fhigh > 0) ? high : low) = middle;
    }
}

} // namespace

std::optional<float> Psatcalcal(float T, const BoilingConstants& component)
{
    return trapped([&] {
        const double a = quotient(1.0, component.Tb) - quotient(1.0, T);
        const double c = naturalLog(quotient(component.Pc_Pa, atmosphere_Pa)) * a;
        const double d = quotient(c, inverseSpan(component));
        return single(atmosphere_Pa * exponential(d));
    });
}

std::optional<float> Tboilcal(float P, const BoilingConstants& component)
{
    return trapped([&] {
        const double ratio = quotient(naturalLog(quotient(P, atmosphere_Pa)),
                                      naturalLog(quotient(component.Pc_Pa, atmosphere_Pa)));
        const double T = quotient(1.0, quotient(1.0, component.Tb) - inverseSpan(component) * ratio);
        if (!aboveAbsoluteZero(T))
            fault();
        return single(T);
    });
}

std::optional<float> F(const ActivityModel& model, const BinaryConstants& components, float x1, float P, float T)
{
    const std::optional<GammaPair> gamma = model.gammacal(x1, T);
    if (!gamma)
        return std::nullopt;
    const std::optional<float> Ps1 = Psatcalcal(T, components[0]);
    const std::optional<float> Ps2 = Psatcalcal(T, components[1]);
    if (!Ps1 || !Ps2)
        return std::nullopt;
    return trapped([&] {
        const float x2 = 1.0f - x1;
        const float sum = single(quotient((*gamma)[0] * x1 * static_cast<double>(*Ps1), P)
                                 + quotient((*gamma)[1] * x2 * static_cast<double>(*Ps2), P));
        return single(sum - 1.0);
    });
}

BubbleSolve iteration(const ActivityModel& model, const BinaryConstants& components, float x1, float P, float& T0,
                      float T1)
{
    float Tn = 0;
    for (int n = 0; n <= lastPass; ++n) {
        const std::optional<float> F0 = F(model, components, x1, P, T0);
        const std::optional<float> F1 = F(model, components, x1, P, T1);
        if (!F0 || !F1)
            return {};
        const std::optional<float> next = trapped(
            [&] { return single(quotient(static_cast<double>(*F1) * T0 - static_cast<double>(*F0) * T1, *F1 - *F0)); });
        if (!next)
            return {};
        Tn = *next;
        const std::optional<float> Fn = F(model, components, x1, P, Tn);
        if (!Fn)
            return {};
        if (tolerance > std::fabs(*Fn))
            return aboveAbsoluteZero(Tn) ? BubbleSolve{BubbleSolve::Outcome::Converged, Tn} : BubbleSolve{};
        T0 = Tn;
    }
    return bisection(model, components, x1, P, T1, Tn);
}

} // namespace calvex::activity
