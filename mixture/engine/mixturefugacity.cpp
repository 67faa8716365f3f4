#include "mixture/engine/eosequation.h"

namespace calvex::mixture::eos {
namespace {

using namespace detail;

// ln phi of the mixture as one fluid at a root Z.
double lnPhiAt(Equation equation, double Z, float A, float B, double coefficient)
{
    if (equation == Equation::VanDerWaals)
        return core::detail::vanDerWaalsLnPhi(Z, A, B);
    return core::detail::oneFluidLnPhi(equation, Z, B, coefficient);
}

EosResult mixtureMember(Equation equation, MixtureState& state, float T, float P)
{
    return trap("error in phy", [&]() -> EosResult {
        fillParameters(equation, state, T, state.a, state.b);
        const OneFluid m = mix(state, state.a, state.b);
        const bool vanderwaal = equation == Equation::VanDerWaals;
        float A = 0.0f;
        float B = 0.0f;
        if (!vanderwaal) {
            A = dimensionlessA(m.am, P, T);
            B = dimensionlessB(m.bm, P, T);
        }
        // Writes lines 40 to 42 (and for van der Waals A and B into 38 and 39).
        const EosResult roots = compressibility(equation, state, T, P, &m);

        auto& out = state.out;
        writeNumber(out, 36, m.am);
        writeNumber(out, 37, m.bm);
        if (!vanderwaal) {
            writeNumber(out, 38, A);
            writeNumber(out, 39, B);
        }
        putSolveDetails(state);
        const float z0 = need(roots)[0];
        writeNumber(out, 48, z0);
        const float z2 = need(roots)[2];
        writeNumber(out, 49, z2);

        const float phi0 = fugacityCoefficient(mixtureLnPhi(equation, m, T, P, z0));
        const float phi2 = fugacityCoefficient(mixtureLnPhi(equation, m, T, P, z2));
        return std::array{phi0, phi2, 0.0f};
    });
}

constexpr EquationNames mixtureNames{{"Vander waal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"}};

} // namespace

namespace detail {

double mixtureLnPhi(Equation equation, const OneFluid& m, float T, float P, double Z)
{
    const float A = dimensionlessA(m.am, P, T);
    const float B = dimensionlessB(m.bm, P, T);
    const double coefficient = equation == Equation::VanDerWaals ? 0.0 : logCoefficient(equation, m.am, m.bm, T);
    return lnPhiAt(equation, Z, A, B, coefficient);
}

float stableRoot(Equation equation, const OneFluid& m, float T, float P, const std::array<float, 3>& roots)
{
    if (roots[0] == roots[2])
        return roots[2];
    const int side = stableSide(mixtureLnPhi(equation, m, T, P, roots[0]), mixtureLnPhi(equation, m, T, P, roots[2]));
    return roots[side == 0 ? 0 : 2];
}

} // namespace detail

EosResult phycal(MixtureState& state, float T, float Pb)
{
    return trap("error in phycal", [&] {
        return dispatch(state, 35, mixtureNames, [&](Equation equation) {
            return mixtureMember(equation, state, T, Pb);
        });
    });
}

EosResult phycalvanderwaal(MixtureState& state, float T1, float Pb)
{
    return mixtureMember(Equation::VanDerWaals, state, T1, Pb);
}

EosResult phycalRK(MixtureState& state, float T1, float p1) { return mixtureMember(Equation::RedlichKwong, state, T1, p1); }

EosResult phycalSRK(MixtureState& state, float T1, float p1) { return mixtureMember(Equation::SoaveRedlichKwong, state, T1, p1); }

EosResult phycalPR(MixtureState& state, float T1, float p1) { return mixtureMember(Equation::PengRobinson, state, T1, p1); }

} // namespace calvex::mixture::eos
