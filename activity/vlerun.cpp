#include "activity/vlerun.h"

#include "core/vapourpressure.h"
#include "services/numbers.h"
#include "services/ui.h"
#include "services/units.h"

#include <cmath>
#include <optional>

namespace calvex::activity {
namespace {

using services::roundedText;
using services::singleText;
using services::ui;

constexpr int firstPointRow = 18;
constexpr float nearlyOne = 0.99999f; // a y1 that reaches 1 inside the curve is shown as this

std::optional<float> single(double value) { return services::toSingle(value); }

float pascalFromBar(float Pc_bar) { return single(Pc_bar * services::pascalPerBar).value_or(0.0f); }

BoilingConstants boilingConstants(const core::ComponentConstants& c) { return {c.Tb, c.Tc, pascalFromBar(c.Pc)}; }

// The two-point law runs backwards for Tb above Tc and is undefined at Tb = Tc and at
// Pc = 1 atm; those constants are refused before anything is computed.
bool twoPointLawUsable(const core::ComponentConstants& c)
{
    return c.Tb < c.Tc && pascalFromBar(c.Pc) > atmosphere_Pa;
}

bool refuse(const std::string& message)
{
    ui().message(message);
    return false;
}

} // namespace

std::vector<float> txyGrid()
{
    std::vector<float> grid;
    for (int k = 0; k <= 20; ++k)
        grid.push_back(static_cast<float>(k / 20.0));
    return grid;
}

std::vector<float> pxyGrid(PxyGrid kind)
{
    std::vector<float> grid;
    for (int k = 0; k < 50; ++k)
        grid.push_back(static_cast<float>((kind == PxyGrid::FromSecond ? k + 1 : k) / 50.0));
    grid.front() = 0.0f;
    grid.back() = 1.0f;
    return grid;
}

VleRun::VleRun(const VleWindowConfig& config, pure::PureWindowServices& services, const ParameterSource& boxes)
    : m_config(config), m_services(services), m_boxes(boxes), m_model(makeModel(config.model, boxes)),
      m_result(reportCount + 1)
{
}

bool VleRun::gatherAndCheckComponents(const VleForm& form)
{
    const bool txy = m_config.run == VleRunKind::Txy;
    const auto columns = txy ? pure::ComponentColumns::Critical : pure::ComponentColumns::VapourPressure;
    for (int i = 0; i < 2; ++i)
        if (!gatherComponent(m_services, form.components[i], i, columns, m_components[i]))
            return false;
    for (core::ComponentConstants& c : m_components) {
        if (!askMissingConstants(c, m_config.omega))
            return false;
        const bool lawUsed = txy || c.eq == 0 || c.eq == 2;
        if (lawUsed && !twoPointLawUsable(c))
            return refuse(invalidInput);
    }
    if (m_components[0].compoundname == m_components[1].compoundname)
        return refuse("Two Components can't have same name so exiting ");
    return true;
}

bool VleRun::run(const VleForm& form)
{
    if (!gatherAndCheckComponents(form))
        return false;

    const bool txy = m_config.run == VleRunKind::Txy;
    std::vector<float> constants;
    for (const ConstantBox& box : m_config.boxes) {
        const std::optional<float> value = single(services::val(m_boxes.boxText(box.name)));
        if (!value)
            return refuse(invalidEntry);
        constants.push_back(*value);
    }
    const std::optional<float> typed = single(services::val(form.variableText));
    if (!typed)
        return refuse(invalidEntry);

    m_result.assign(m_result.size(), std::string());
    m_result[1] = m_config.title;
    m_result[2] = txy ? "Pressure" : "Temperature";
    m_result[3] = singleText(*typed);
    m_result[4] = form.unitText;
    m_result[5] = m_config.reportHeading;
    m_result[6] = m_config.firstLabel + singleText(constants[0]);
    m_result[7] = m_config.secondLabel + singleText(constants[1]);
    writeComponentRows(m_result, m_components);
    m_result[17] = txy ? "Temperature(kelvin)" : "Pressure(kpa)";

    float variable = *typed;
    const float converted = txy ? services::ToPascal(variable, form.unitText) : services::ToKelvin(variable, form.unitText);
    // The converters give 0 for a value that leaves the single range; that is no zero pressure.
    if (converted == 0 && variable != 0)
        return refuse(invalidEntry);
    if (converted <= 0)
        return refuse(txy ? "pressure cannot be zero" : "temperature cannot be zero");
    if (constants[0] == 0 && !m_config.firstZeroMessage.empty())
        return refuse(m_config.firstZeroMessage);
    if (constants[1] == 0 && !m_config.secondZeroMessage.empty())
        return refuse(m_config.secondZeroMessage);
    for (std::size_t i = 0; i < constants.size(); ++i)
        if (constants[i] <= 0 && !m_config.boxes[i].notPositiveMessage.empty())
            return refuse(m_config.boxes[i].notPositiveMessage);

    bool written = false;
    if (txy) {
        const BinaryConstants law{boilingConstants(m_components[0]), boilingConstants(m_components[1])};
        std::vector<services::TxyPoint> points;
        if (!txyCurve(*m_model, law, variable, points))
            return refuse(invalidEntry);
        writeCurveRows(m_result, points);
        written = services::writeTxyPointsFile(points);
    } else {
        std::array<float, 2> Psat{};
        std::vector<services::PxyPoint> points;
        if (!vapourPressures(variable, Psat) || !pxyCurve(*m_model, Psat, variable, pxyGrid(m_config.grid), points))
            return refuse(invalidEntry);
        writeCurveRows(m_result, points);
        written = services::writePxyPointsFile(points);
    }
    if (!written)
        return refuse("points1.dat cannot be written");
    services::ShowResultReport(reportCount, m_result, templateName, m_config.resultKind);
    return true;
}

bool VleRun::vapourPressures(float T, std::array<float, 2>& Psat) const
{
    core::EosState state(m_config.host);
    state.T = T;
    for (int i = 0; i < 2; ++i) {
        state.component = m_components[i];
        state.component.Pc = pascalFromBar(m_components[i].Pc);
        const std::optional<float> pressure = core::PsatCorrelation(state);
        if (!pressure)
            return false;
        Psat[i] = *pressure;
    }
    return true;
}

bool txyCurve(const ActivityModel& model, const BinaryConstants& law, float P, std::vector<services::TxyPoint>& points)
{
    const std::optional<float> T1 = Tboilcal(P, law[0]);
    const std::optional<float> start = Tboilcal(P, law[1]);
    if (!T1 || !start)
        return false;
    float T0 = *start;
    const std::vector<float> grid = txyGrid();
    for (int k = 0; k <= 20; ++k) {
        services::TxyPoint point{grid[k], k == 0 ? T0 : *T1, k == 0 ? 0.0f : 1.0f};
        if (k > 0 && k < 20) {
            const BubbleSolve solve = iteration(model, law, point.x1, P, T0, *T1);
            if (!solve.converged())
                return false;
            const std::optional<GammaPair> gamma = model.gammacal(point.x1, solve.T);
            const std::optional<float> Ps1 = Psatcalcal(solve.T, law[0]);
            if (!gamma || !Ps1)
                return false;
            const std::optional<float> y1 = single((*gamma)[0] * k * static_cast<double>(*Ps1) / (20.0 * P));
            if (!y1)
                return false;
            point.T_K = solve.T;
            point.y1 = *y1 >= 1 ? nearlyOne : *y1;
        }
        points.push_back(point);
    }
    return true;
}

bool pxyCurve(const ActivityModel& model, const std::array<float, 2>& Psat, float T, const std::vector<float>& grid,
              std::vector<services::PxyPoint>& points)
{
    const std::size_t last = grid.size() - 1;
    for (std::size_t k = 0; k <= last; ++k) {
        const float x1 = grid[k];
        float P = k == 0 ? Psat[1] : Psat[0];
        float y1 = k == 0 ? 0.0f : 1.0f;
        if (k > 0 && k < last) {
            const std::optional<GammaPair> gamma = model.gammacal(x1, T);
            if (!gamma)
                return false;
            const double liquid1 = x1 * static_cast<double>((*gamma)[0]) * Psat[0];
            const std::optional<float> sum = single((1.0f - x1) * static_cast<double>((*gamma)[1]) * Psat[1] + liquid1);
            if (!sum || !(*sum > 0))
                return false;
            const std::optional<float> vapour = single(liquid1 / *sum);
            if (!vapour)
                return false;
            P = *sum;
            y1 = *vapour;
        } else if (!(std::isfinite(P) && P >= 0)) {
            // A pure component's vapour pressure of 0, as its correlation gives it, still ends the curve.
            return false;
        }
        points.push_back({x1, P / 1000.0, y1});
    }
    return true;
}

void writeComponentRows(services::ResultLines& result, const std::array<core::ComponentConstants, 2>& components)
{
    for (int i = 0; i < 2; ++i) {
        const core::ComponentConstants& c = components[i];
        result.at(8 + 4 * i) = c.compoundname;
        result.at(9 + 4 * i) = singleText(c.Tc);
        result.at(10 + 4 * i) = singleText(c.Pc);
        result.at(11 + 4 * i) = singleText(c.omega);
    }
}

void writeCurveRows(services::ResultLines& result, const std::vector<services::TxyPoint>& points)
{
    for (std::size_t k = 0; k < points.size(); ++k) {
        result.at(firstPointRow + 3 * k) = roundedText(points[k].T_K, 3);
        result.at(firstPointRow + 3 * k + 1) = singleText(points[k].x1);
        result.at(firstPointRow + 3 * k + 2) = roundedText(points[k].y1, 6);
    }
}

void writeCurveRows(services::ResultLines& result, const std::vector<services::PxyPoint>& points)
{
    for (std::size_t k = 0; k < points.size(); ++k) {
        result.at(firstPointRow + 3 * k) = services::doubleText(points[k].P_kPa);
        result.at(firstPointRow + 3 * k + 1) = singleText(points[k].x1);
        result.at(firstPointRow + 3 * k + 2) = singleText(points[k].y1);
    }
}

} // namespace calvex::activity
