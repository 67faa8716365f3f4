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

EosResult partialMember(Equation equation, MixtureState& state, float T, float P, std::int16_t icall)
{
    return trap(memberMessages[static_cast<std::size_t>(equation)], [&]() -> EosResult {
        EosResult roots;
        OneFluid m;
        // Redlich-Kwong solves the cubic before it forms the parameters, and then uses the one
        // fluid of that solve; the others form it first and hand it to the solve.
        if (equation == Equation::RedlichKwong)
            roots = compressibility(equation, state, T, P, nullptr, &m);
        if (!roots) {
            fillParameters(equation, state, T, state.a, state.b);
            m = mix(state, state.a, state.b);
        }

        if (equation == Equation::VanDerWaals) {
            roots = compressibility(equation, state, T, P, &m);
            const float z0 = need(roots)[0];
            const float z2 = need(roots)[2];
            const float v0 = single(quotient(z0 * R * T, P));
            const float v2 = single(quotient(z2 * R * T, P));
            const std::size_t i = slot(icall);
            const float phi0 = fugacityCoefficient(vanderwaalLnPhi(z0, v0, state.a[i], state.b[i], m, T));
            const float phi2 = fugacityCoefficient(vanderwaalLnPhi(z2, v2, state.a[i], state.b[i], m, T));
            return std::array{phi0, phi2, 0.0f};
        }

        const float B = dimensionlessB(m.bm, P, T);
        if (equation != Equation::RedlichKwong)
            roots = compressibility(equation, state, T, P, &m);
        const float z0 = need(roots)[0];
        const float z2 = need(roots)[2];
        const std::size_t i = slot(icall);
        const double ratio = quotient(state.b[i], m.bm);
        const double attraction = ratio - 2.0 * squareRoot(quotient(state.a[i], m.am));
        const double coefficient = logCoefficient(equation, m.am, m.bm, T);
        const float phi0 = fugacityCoefficient(core::detail::lnPhi(equation, z0, B, ratio, attraction, coefficient));
        const float phi2 = fugacityCoefficient(core::detail::lnPhi(equation, z2, B, ratio, attraction, coefficient));
        return std::array{phi0, phi2, 0.0f};
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
