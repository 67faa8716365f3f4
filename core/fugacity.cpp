#include "core/fugacity.h"

#include "core/checkedmath.h"
#include "core/eosformulas.h"
#include "core/eosparameters.h"
#include "core/reportcells.h"
#include "core/zcal.h"

#include "services/numbers.h"

namespace calvex::core {
namespace detail {
namespace {

// What ln phi needs of the state besides the root, formed once for both roots.
struct StateTerms {
    double A = 0.0; // van der Waals only
    double B = 0.0;
    double coefficient = 0.0; // the others only
};

StateTerms stateTerms(Equation equation, const EquationParameters& parameters, float Te, float Pe)
{
    const double a = parameters.a;
    const double b = parameters.b;
    if (equation == Equation::VanDerWaals) {
        // B and A stay in double precision here; only the product a Pe is stored.
        const double RTe = R * Te;
        return {quotient(single(a * Pe), RTe * RTe), quotient(b * Pe, R * Te), 0.0};
    }
    return {0.0, dimensionlessB(parameters.b, Pe, Te), logCoefficient(equation, a, b, Te)};
}

double lnPhi(Equation equation, const StateTerms& terms, double Z)
{
    if (equation == Equation::VanDerWaals)
        return vanDerWaalsLnPhi(Z, terms.A, terms.B);
    return oneFluidLnPhi(equation, Z, terms.B, terms.coefficient);
}

std::optional<FugacityEvaluation> member(Equation equation, EosState& state, float argument)
{
    const HostVariant& variant = variantOf(state.host);
    return trap(variant.fugacityMessage[static_cast<int>(equation)], [&]() -> std::optional<FugacityEvaluation> {
        const bool atArgumentTemperature = variant.fugacityMode == FugacityMode::LoggingTemperature;
        const float Te = atArgumentTemperature ? argument : state.T;
        const float Pe = atArgumentTemperature ? state.p : argument;
        FugacityEvaluation evaluation;
        const EquationParameters parameters = need(zcalParameters(equation, state, Te));
        evaluation.roots = need(zcal(equation, state, Te, Pe, parameters));
        const auto& Z = evaluation.roots.roots;
        if (variant.fugacityMode != FugacityMode::AtStateTemperature) {
            services::assignSingleText(logCell(state, 10), Z[0]);
            services::assignSingleText(logCell(state, 11), Z[1]);
        }
        // The liquid-like and the vapour-like root; the middle root never enters a fugacity.
        constexpr int rootOf[] = {0, 2};
        const StateTerms terms = stateTerms(equation, parameters, Te, Pe);
        for (int k : {0, 1}) {
            const float phi = fugacityCoefficient(lnPhi(equation, terms, Z[rootOf[k]]));
            evaluation.fugacities[k] = single(static_cast<double>(phi) * Pe);
        }
        return evaluation;
    });
}

} // namespace
} // namespace detail

std::optional<FugacityEvaluation> fugacityEvaluation(EosState& state, float argument)
{
    using namespace detail;
    const auto equation = equationOf(state.optionno);
    if (!equation)
        return std::nullopt;
    const HostVariant& variant = variantOf(state.host);
    if (variant.fugacityMode != FugacityMode::AtStateTemperature) {
        if (!completes(variant.fugasitycalMessage,
                       [&] { at(state.result, 6).assign(logName.names[static_cast<std::size_t>(*equation)]); }))
            return std::nullopt;
    }
    return member(*equation, state, argument);
}

namespace {

std::optional<FugacityPair> pairOf(const std::optional<FugacityEvaluation>& evaluation)
{
    if (!evaluation)
        return std::nullopt;
    return evaluation->fugacities;
}

} // namespace

std::optional<FugacityPair> Fugasitycal(EosState& state, float argument)
{
    return pairOf(fugacityEvaluation(state, argument));
}

std::optional<FugacityPair> Fugacityvanderwaal(EosState& state, float argument)
{
    return pairOf(detail::member(detail::Equation::VanDerWaals, state, argument));
}

std::optional<FugacityPair> FugacityPR(EosState& state, float argument)
{
    return pairOf(detail::member(detail::Equation::PengRobinson, state, argument));
}

std::optional<FugacityPair> FugacityRK(EosState& state, float argument)
{
    return pairOf(detail::member(detail::Equation::RedlichKwong, state, argument));
}

std::optional<FugacityPair> FugacitySRK(EosState& state, float argument)
{
    return pairOf(detail::member(detail::Equation::SoaveRedlichKwong, state, argument));
}

bool smallestRootIsStable(const FugacityEvaluation& evaluation)
{
    const std::array<float, 3>& roots = evaluation.roots.roots;
    if (evaluation.roots.singleRealRoot() || roots[0] == roots[2])
        return false;
    return evaluation.fugacities[1] > evaluation.fugacities[0] && !fugacitiesAgree(evaluation);
}

} // namespace calvex::core
