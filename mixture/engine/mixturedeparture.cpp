#include "mixture/engine/eosequation.h"

namespace calvex::mixture::eos {
namespace {

using namespace detail;

// The temperature derivative of am for Soave-Redlich-Kwong and Peng-Robinson, built from
// mole-fraction averages of omega, Tc and the components' own alpha: -am m_m / sqrt(alpha_m T Tc_m).
// It is not the exact derivative of the mixed am; the departure report is defined with it.
float averagedDerivative(Equation equation, const MixtureState& state, const SlotArray& alpha, float am, float T)
{
    float omegaM = 0.0f;
    float TcM = 0.0f;
    float alphaM = 0.0f;
    for (int i = 0; i < state.nos; ++i) {
        const std::size_t k = slot(i);
        omegaM = single(omegaM + static_cast<double>(state.y[k]) * state.omega[k]);
        TcM = single(TcM + static_cast<double>(state.y[k]) * state.Tc[k]);
        alphaM = single(alphaM + static_cast<double>(state.y[k]) * alpha[k]);
    }
    return core::detail::temperatureDerivative(core::detail::alphaSlope(equation, omegaM), am, alphaM, T, TcM);
}

EosResult departureMember(Equation equation, MixtureState& state, float T, float P, float Z)
{
    return trap("error in departure calculaton", [&]() -> EosResult {
        // Only van der Waals keeps its parameters in the state; the others hold their own.
        SlotArray a{};
        SlotArray b{};
        SlotArray alpha{};
        const bool vanderwaal = equation == Equation::VanDerWaals;
        SlotArray& aUsed = vanderwaal ? state.a : a;
        SlotArray& bUsed = vanderwaal ? state.b : b;
        fillParameters(equation, state, T, aUsed, bUsed, &alpha);
        const OneFluid m = mix(state, aUsed, bUsed);
        float dadT = 0.0f;
        if (equation == Equation::SoaveRedlichKwong || equation == Equation::PengRobinson)
            dadT = averagedDerivative(equation, state, alpha, m.am, T);
        const float A = dimensionlessA(m.am, P, T);
        const float B = dimensionlessB(m.bm, P, T);

        auto& out = state.out;
        writeNumber(out, 36, m.am);
        writeNumber(out, 37, m.bm);
        writeNumber(out, 38, A);
        writeNumber(out, 39, B);

        const auto [H, S] = core::detail::residuals(equation, m.am, m.bm, dadT, B, T, P, Z);
        return std::array{H, S, 0.0f};
    });
}

// The van der Waals name starts with a blank in the departure report.
constexpr EquationNames departureNames{{" Vander waal", "Peng Robinson", "Redlick Kwong", "Soave Redlick Kwong"}};

} // namespace

EosResult Departurecal(MixtureState& state, float T, float P)
{
    // No trap and no message of its own: a failure below has shown its messages already.
    try {
        return dispatch(state, 35, departureNames, [&](Equation equation) -> EosResult {
            OneFluid m;
            const EosResult roots = compressibility(equation, state, T, P, nullptr, &m);
            if (!roots)
                return std::nullopt;
            // Choosing the stable root evaluates the equation again: a fault there is the
            // departure's own, as it is for every equation.
            const EosResult Z = trap("error in departure calculaton", [&]() -> EosResult {
                return std::array{stableRoot(equation, m, T, P, *roots), 0.0f, 0.0f};
            });
            if (!Z)
                return std::nullopt;
            return departureMember(equation, state, T, P, (*Z)[0]);
        });
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

EosResult DepartureVanderwaal(MixtureState& state, float T1, float p4, float Z)
{
    return departureMember(Equation::VanDerWaals, state, T1, p4, Z);
}

EosResult DeparturePR(MixtureState& state, float T1, float p4, float Z)
{
    return departureMember(Equation::PengRobinson, state, T1, p4, Z);
}

EosResult DepartureRK(MixtureState& state, float T1, float p4, float Z)
{
    return departureMember(Equation::RedlichKwong, state, T1, p4, Z);
}

EosResult DepartureSRK(MixtureState& state, float T1, float p4, float Z)
{
    return departureMember(Equation::SoaveRedlichKwong, state, T1, p4, Z);
}

} // namespace calvex::mixture::eos
