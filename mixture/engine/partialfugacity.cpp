#include "mixture/engine/eosequation.h"

namespace calvex::mixture::eos {
namespace {

using namespace detail;

// The members' messages, in Equation order.
constexpr std::array<const char*, 4> memberMessages = {"error in partialphyvan", "error in partialphypr",
                                                       "error in partialphyrk", "error in partialphysrk"};

// ln phi_i of van der Waals at a root Z with its molar volume V.
double vanderwaalLnPhi(double Z, double V, float ai, float bi, const OneFluid& m, float T)
{
    return finite(quotient(bi, V - m.bm) - logOfAbs(Z * (1.0 - quotient(m.bm, V)))
                  - quotient(2.0 * squareRoot(static_cast<double>(m.am) * ai), R * T * V));
}

// What the coefficients of every component of one state share: the one fluid and the outer
// roots of its cubic, with the molar volumes (van der Waals) or B and the logarithm's
// coefficient (the others) formed from them.
struct StateSolve {
    OneFluid m;
    float z0 = 0.0f;
    float z2 = 0.0f;
    float v0 = 0.0f;
    float v2 = 0.0f;
    float B = 0.0f;
    double coefficient = 0.0;
};

StateSolve solveState(Equation equation, MixtureState& state, float T, float P)
{
    StateSolve s;
    EosResult roots;
    // Redlich-Kwong solves the cubic before it forms the parameters, and then uses the one
    // fluid of that solve; the others form it first and hand it to the solve.
    if (equation == Equation::RedlichKwong)
        roots = compressibility(equation, state, T, P, nullptr, &s.m);
    if (!roots) {
        fillParameters(equation, state, T, state.a, state.b);
        s.m = mix(state, state.a, state.b);
    }
    if (equation == Equation::VanDerWaals) {
        roots = compressibility(equation, state, T, P, &s.m);
        s.z0 = need(roots)[0];
        s.z2 = need(roots)[2];
        s.v0 = single(quotient(s.z0 * R * T, P));
        s.v2 = single(quotient(s.z2 * R * T, P));
        return s;
    }
    s.B = dimensionlessB(s.m.bm, P, T);
    if (equation != Equation::RedlichKwong)
        roots = compressibility(equation, state, T, P, &s.m);
    s.z0 = need(roots)[0];
    s.z2 = need(roots)[2];
    s.coefficient = logCoefficient(equation, s.m.am, s.m.bm, T);
    return s;
}

// The coefficients of component icall at the two outer roots.
std::array<float, 3> componentCoefficients(Equation equation, const MixtureState& state, const StateSolve& s,
                                           float T, std::int16_t icall)
{
    const std::size_t i = slot(icall);
    if (equation == Equation::VanDerWaals) {
        const float phi0 = fugacityCoefficient(vanderwaalLnPhi(s.z0, s.v0, state.a[i], state.b[i], s.m, T));
        const float phi2 = fugacityCoefficient(vanderwaalLnPhi(s.z2, s.v2, state.a[i], state.b[i], s.m, T));
        return {phi0, phi2, 0.0f};
    }
    const double ratio = quotient(state.b[i], s.m.bm);
    const double attraction = ratio - 2.0 * squareRoot(quotient(state.a[i], s.m.am));
    const float phi0 = fugacityCoefficient(core::detail::lnPhi(equation, s.z0, s.B, ratio, attraction, s.coefficient));
    const float phi2 = fugacityCoefficient(core::detail::lnPhi(equation, s.z2, s.B, ratio, attraction, s.coefficient));
    return {phi0, phi2, 0.0f};
}

EosResult partialMember(Equation equation, MixtureState& state, float T, float P, std::int16_t icall)
{
    return trap(memberMessages[static_cast<std::size_t>(equation)], [&]() -> EosResult {
        return componentCoefficients(equation, state, solveState(equation, state, T, P), T, icall);
    });
}

// The same for every component from one mixing and one solve; a fault stops at the component
// where it happens, as the calls one by one would.
std::optional<PartialCoefficients> partialMembers(Equation equation, MixtureState& state, float T, float P)
{
    return trap(memberMessages[static_cast<std::size_t>(equation)], [&]() -> std::optional<PartialCoefficients> {
        const StateSolve s = solveState(equation, state, T, P);
        PartialCoefficients all;
        for (std::int16_t i = 0; i < state.nos; ++i)
            all.push_back(componentCoefficients(equation, state, s, T, i));
        return all;
    });
}

// The partial-fugacity report names Redlich-Kwong and Soave-Redlich-Kwong with two blanks
// between the words; the other reports use one.
constexpr EquationNames partialNames{{"Vander waal", "Peng Robinson", "Redlick  Kwong", "Soave  Redlick  Kwong"}};

} // namespace

EosResult phycal(MixtureState& state, float T, float Pb, std::int16_t icall)
{
    return trap("errror in phycal", [&] {
        return dispatch(state, 3, partialNames, [&](Equation equation) {
            return partialMember(equation, state, T, Pb, icall);
        });
    });
}

std::optional<PartialCoefficients> phycalEach(MixtureState& state, float T, float Pb)
{
    if (state.nos <= 0)
        return PartialCoefficients{};
    return trap("errror in phycal", [&] {
        return dispatch(state, 3, partialNames, [&](Equation equation) {
            return partialMembers(equation, state, T, Pb);
        });
    });
}

EosResult partialphycalvanderwaal(MixtureState& state, float T1, float Pb, std::int16_t icall)
{
    return partialMember(Equation::VanDerWaals, state, T1, Pb, icall);
}

EosResult partialphycalRK(MixtureState& state, float T1, float p1, std::int16_t icall)
{
    return partialMember(Equation::RedlichKwong, state, T1, p1, icall);
}

EosResult partialphycalSRK(MixtureState& state, float T1, float p1, std::int16_t icall)
{
    return partialMember(Equation::SoaveRedlichKwong, state, T1, p1, icall);
}

EosResult partialphycalPR(MixtureState& state, float T1, float p1, std::int16_t icall)
{
    return partialMember(Equation::PengRobinson, state, T1, p1, icall);
}

} // namespace calvex::mixture::eos
