#include "core/vapourpressure.h"

#include "core/checkedmath.h"
#include "core/eosparameters.h"
#include "core/hostvariant.h"
#include "services/units.h"

#include <string_view>

namespace calvex::core {
namespace {

using namespace detail;

template <class Law>
std::optional<float> guess(const EosState& state, std::string_view message, Law&& law)
{
    const HostVariant& variant = variantOf(state.host);
    const auto pressure = trap(variant.messageIfTrapped(message), [&]() -> std::optional<float> { return law(); });
    if (!pressure && variant.trapped)
        return 0.0f;
    return pressure;
}

float twoPointLaw(const EosState& state)
{
    const ComponentConstants& c = state.component;
    const double inverseTb = power(c.Tb, -1.0);
    const double inverseT = power(state.T, -1.0);
    const double inverseTc = power(c.Tc, -1.0);
    const double s = naturalLog(quotient(c.Pc, atmosphere)) * quotient(inverseTb - inverseT, inverseTb - inverseTc);
    return single(atmosphere * exponential(s));
}

} // namespace

std::optional<float> Psatguesseqn0(const EosState& state)
{
    return guess(state, "error in Psatguesseqn0", [&] { return twoPointLaw(state); });
}

std::optional<float> Psatguesseqn2(const EosState& state)
{
    return guess(state, "error in Psatguesseqn2", [&] { return twoPointLaw(state); });
}

std::optional<float> Psatguesseqn1(const EosState& state)
{
    return guess(state, "error in Psatguesseqn1", [&] {
        const ComponentConstants& c = state.component;
        const double x = single(1.0 - quotient(state.T, c.Tc));
        const double sum = c.VPA * x + c.VPB * power(x, 1.5) + c.VPC * power(x, 3.0) + c.VPD * power(x, 6.0);
        const float e = single(exponential(sum * power(1.0 - x, -1.0)));
        return single(static_cast<double>(c.Pc) * e);
    });
}

std::optional<float> Psatguesseqn3(const EosState& state)
{
    return guess(state, "error in Psatguesseqn3", [&] {
        const ComponentConstants& c = state.component;
        // Left of the law's pole at T = -VPC the "pressure" grows without bound as T falls:
        // that side is no vapour pressure, as the pole itself is none.
        const double pastThePole = static_cast<double>(state.T) + c.VPC;
        if (!(pastThePole > 0.0))
            fault();
        const double s = c.VPA - quotient(c.VPB, pastThePole);
        const float e = single(exponential(s));
        return single(services::pascalPerBar * e);
    });
}

std::optional<float> PsatCorrelation(const EosState& state)
{
    switch (state.component.eq) {
    case 0:
        return Psatguesseqn0(state);
    case 1:
        return Psatguesseqn1(state);
    case 2:
        return Psatguesseqn2(state);
    case 3:
        return Psatguesseqn3(state);
    default:
        return 0.0f;
    }
}

} // namespace calvex::core
