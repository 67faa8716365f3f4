#include "mixture/engine/eosequation.h"

namespace calvex::mixture::eos {
namespace detail {

EosResult oneFluidParameters(Equation equation, MixtureState& state, float T2, float)
{
    return trap("error in abcal", [&]() -> EosResult {
        fillParameters(equation, state, T2, state.a, state.b);
        const OneFluid m = mix(state, state.a, state.b);
        return std::array{m.am, m.bm, 0.0f};
    });
}

} // namespace detail

using detail::Equation;

EosResult abvanderwaal(MixtureState& state, float T2, float p2)
{
    return detail::oneFluidParameters(Equation::VanDerWaals, state, T2, p2);
}

EosResult abRK(MixtureState& state, float T2, float p2)
{
    return detail::oneFluidParameters(Equation::RedlichKwong, state, T2, p2);
}

EosResult abSRK(MixtureState& state, float T2, float p2)
{
    return detail::oneFluidParameters(Equation::SoaveRedlichKwong, state, T2, p2);
}

EosResult abPR(MixtureState& state, float T2, float p2)
{
    return detail::oneFluidParameters(Equation::PengRobinson, state, T2, p2);
}

} // namespace calvex::mixture::eos
