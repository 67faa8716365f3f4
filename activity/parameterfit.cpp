#include "activity/parameterfit.h"

#include "core/checkedmath.h"
#include "core/saturationpressure.h"
#include "services/numbers.h"
#include "services/ui.h"
#include "services/units.h"

#include <algorithm>
#include <cmath>

namespace calvex::activity {
namespace {

using services::ui;
using services::val;

const std::string doNotFit = "The data do not fit the chosen equation";

// The whole number a text holds, or empty when it holds another number.
std::optional<int> wholeNumber(const std::string& text)
{
    const double value = val(text);
    if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 1e6)
        return std::nullopt;
    return static_cast<int>(value);
}

FitEnd refuseRow(const std::string& what, int k)
{
    ui().message(what + std::to_string(k));
    return FitEnd::ShowData;
}

// The saturation pressure of `component` (Pc in bar) at T by the chosen equation; empty when
// the routine reports no converged pressure.
std::optional<float> saturationPressure(const core::ComponentConstants& component, std::int16_t equation, float T)
{
    core::EosState state(core::EosHost::Datapoints);
    if (!state.loadComponent(component))
        return std::nullopt;
    state.optionno = equation;
    state.T = T;
    const float P = core::Psatcal(state);
    if (!(P > 0) || !std::isfinite(P))
        return std::nullopt;
    return P;
}

} // namespace

std::optional<int> dataPointCount(const std::string& text)
{
    const std::optional<int> n = wholeNumber(text);
    if (!n || *n < 2 || *n > maxDataPoints)
        return std::nullopt;
    return n;
}

std::optional<FittedConstants> fitConstants(FitModel model, const std::vector<float>& x1,
                                            const std::vector<float>& gamma1, const std::vector<float>& gamma2)
{
    using namespace core::detail;
    const std::size_t n = x1.size();
    if (n < 2 || std::all_of(x1.begin(), x1.end(), [&](float x) { return x == x1.front(); }))
        return std::nullopt;
    try {
        double sumX = 0, sumPhi = 0, sumX2 = 0, sumXPhi = 0;
        for (std::size_t k = 0; k < n; ++k) {
            const double x = x1[k];
            const double x2 = 1.0f - x1[k];
            const float g = single(x * logOfAbs(gamma1[k]) + x2 * logOfAbs(gamma2[k]));
            const float phi = model == FitModel::Margules ? single(quotient(g, x * x2)) : single(quotient(x * x2, g));
            sumX += x;
            sumPhi += phi;
            sumX2 += x * x;
            sumXPhi += x * phi;
        }
        const double count = static_cast<double>(n);
        const double m = quotient(count * sumXPhi - sumX * sumPhi, count * sumX2 - sumX * sumX);
        const double b = sumPhi / count - m * sumX / count;
        if (model == FitModel::Margules)
            return FittedConstants{single(b), single(b + m)};
        return FittedConstants{single(quotient(1.0, b)), single(quotient(1.0, b + m))};
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

std::string constantsMessage(FitModel model, const FittedConstants& c)
{
    using services::singleText;
    if (model == FitModel::Margules)
        return "\r\n THe Margules Constants are \r\n\r\n       a12 = " + singleText(c.first) + "            a21 = "
             + singleText(c.second);
    return "\r\n The Vanlaar Constants are\r\n\r\n         A = " + singleText(c.first) + "        B = "
         + singleText(c.second);
}

FitEnd calculateFit(pure::PureWindowServices& services, const FitForm& form)
{
    std::array<core::ComponentConstants, 2> components;
    for (int i = 0; i < 2; ++i)
        if (!gatherComponent(services, form.components[i], i, pure::ComponentColumns::VapourPressure, components[i]))
            return FitEnd::Ended;
    for (core::ComponentConstants& c : components)
        if (!askMissingConstants(c, {false, "Acentric"}))
            return FitEnd::Ended;
    if (components[0].compoundname == components[1].compoundname) {
        ui().message("Two or more components cannot have same name so exiting");
        return FitEnd::ShowParameters;
    }

    const auto equation = static_cast<std::int16_t>(wholeNumber(form.equation).value_or(0));
    const std::optional<int> model = wholeNumber(form.model);
    const std::optional<int> n = dataPointCount(form.pointCount);
    if (!n) {
        ui().message("Number of data points must be 2 to 16");
        return FitEnd::Ended;
    }

    std::vector<float> x1, gamma1, gamma2;
    for (int k = 1; k <= *n; ++k) {
        const DataRowTexts& row = form.rows[static_cast<std::size_t>(k - 1)];
        const auto T = services::toSingle(val(row.T));
        const auto P = services::toSingle(val(row.P));
        const auto x = services::toSingle(val(row.x1));
        const auto y = services::toSingle(val(row.y1));
        if (!T || !P || !x || !y)
            return refuseRow("Invalid data in data ", k);
        float T_K = *T;
        float P_Pa = *P;
        if (services::ToKelvin(T_K, form.Tunit) <= 0)
            return refuseRow("Invalid Temperature in data ", k);
        if (services::ToPascal(P_Pa, form.Punit) <= 0)
            return refuseRow("Invalid Pressure in data ", k);
        if (!(*x > 0 && *x < 1 && *y > 0 && *y < 1))
            return refuseRow("Invalid data in data ", k);
        const std::optional<float> P1sat = saturationPressure(components[0], equation, T_K);
        const std::optional<float> P2sat = saturationPressure(components[1], equation, T_K);
        if (!P1sat || !P2sat)
            return refuseRow("Invalid data in data ", k);
        // Modified Raoult's law: y_i P = x_i γ_i P_i^sat.
        const double x2 = 1.0f - *x;
        const double y2 = 1.0f - *y;
        const std::optional<float> g1 = services::toSingle(P_Pa * static_cast<double>(*y) / (*P1sat * static_cast<double>(*x)));
        const std::optional<float> g2 = services::toSingle(P_Pa * y2 / (*P2sat * x2));
        if (!g1.has_value() || !g2.has_value())
            return refuseRow("Invalid data in data ", k);
        x1.push_back(*x);
        gamma1.push_back(g1.value());
        gamma2.push_back(g2.value());
    }

    if (model != static_cast<int>(FitModel::Margules) && model != static_cast<int>(FitModel::VanLaar))
        return FitEnd::Ended;
    const auto fitModel = static_cast<FitModel>(*model);
    const std::optional<FittedConstants> constants = fitConstants(fitModel, x1, gamma1, gamma2);
    if (!constants) {
        ui().message(doNotFit);
        return FitEnd::Ended;
    }
    ui().message(constantsMessage(fitModel, *constants));
    return FitEnd::Shown;
}

} // namespace calvex::activity
