#include "core/cardan.h"
#include "mixture/engine/eosequation.h"

namespace calvex::mixture::eos {
namespace detail {

void putSolveDetails(MixtureState& state)
{
    const core::CardanDetails& d = state.cardan;
    int line = 43;
    for (float value : {d.D, d.p, d.q, d.r(), d.phi()})
        writeNumber(state.out, line++, value);
}

EosResult compressibility(Equation equation, MixtureState& state, float T2, float p2, const OneFluid* known,
                          OneFluid* formed)
{
    return trap("error in Zcal", [&]() -> EosResult {
        OneFluid m;
        if (known) {
            m = *known;
        } else {
            const EosResult parameters = oneFluidParameters(equation, state, T2, p2);
            m = {need(parameters)[0], need(parameters)[1]};
        }
        if (formed)
            *formed = m;
        const float am = m.am;
        const float bm = m.bm;
        const float A = dimensionlessA(am, p2, T2);
        const float B = dimensionlessB(bm, p2, T2);
        const core::detail::Cubic c = cubicOf(equation, A, B);

        auto& out = state.out;
        if (state.host == MixtureHost::MixtureFugacity && equation == Equation::VanDerWaals) {
            writeNumber(out, 38, A);
            writeNumber(out, 39, B);
        }
        if (state.host != MixtureHost::PartialFugacity) {
            writeNumber(out, 40, c.c2);
            writeNumber(out, 41, c.c1);
            writeNumber(out, 42, c.c0);
        }

        const auto solved = core::Cardan(c.c2, c.c1, c.c0);
        if (solved)
            state.cardan = solved->details;
        if (state.host == MixtureHost::MixtureDeparture) {
            // The details go out even after a failed solve: then they are those of the solve before.
            putSolveDetails(state);
            if (!solved)
                fault();
            writeNumber(out, 48, solved->roots[0]);
            writeNumber(out, 49, solved->roots[2]);
        }
        if (!solved)
            return std::nullopt;
        return solved->roots;
    });
}

} // namespace detail

using detail::Equation;

EosResult Zcalvanderwaal(MixtureState& state, float T2, float p2)
{
    return detail::compressibility(Equation::VanDerWaals, state, T2, p2);
}

EosResult ZcalRK(MixtureState& state, float T2, float p2)
{
    return detail::compressibility(Equation::RedlichKwong, state, T2, p2);
}

EosResult ZcalSRK(MixtureState& state, float T2, float p2)
{
    return detail::compressibility(Equation::SoaveRedlichKwong, state, T2, p2);
}

EosResult ZcalPR(MixtureState& state, float T2, float p2)
{
    return detail::compressibility(Equation::PengRobinson, state, T2, p2);
}

} // namespace calvex::mixture::eos
