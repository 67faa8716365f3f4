#pragma once
// The T-x-y and P-x-y runs of the eight binary windows, each one procedure configured by the
// window's VleWindowConfig: gather both components, ask for missing constants, check the
// input, compute the 21-point T-x-y curve (bubble temperatures at a fixed pressure) or the
// 50-point P-x-y curve (bubble pressures at a fixed temperature), then write points1.dat and
// the 180 values of TPxycalculator.htm and show the report.
//
// Report rows: 1 title, 2 "Pressure" or "Temperature", 3 the value as typed, 4 its unit,
// 5-7 the model constants, 8-11 and 12-15 name, Tc, Pc (bar) and omega of each component,
// 16 empty, 17 the run variable's label, then from row 18 one row triple per grid point
// (run variable, x1, y1) and empty rows up to 180.

#include "activity/activitymodel.h"
#include "activity/binarycomponents.h"
#include "activity/bubbletemperature.h"
#include "activity/vlewindowconfig.h"
#include "services/pointsfile.h"
#include "services/resultformat.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace calvex::activity {

// What the window's controls hold when Calculate is pressed; the constant boxes are read
// through the ParameterSource, as the model reads them.
struct VleForm {
    std::array<ComponentChoice, 2> components;
    std::string variableText; // Text1_Pressure (T-x-y) or Text1_Temperature (P-x-y)
    std::string unitText;     // Combo1_Unit_p or Combo1_Unit_T
};

// The grids: 21 compositions k/20, and the 50 of a P-x-y run.
std::vector<float> txyGrid();
std::vector<float> pxyGrid(PxyGrid grid);

// The T-x-y curve at P (Pa) over txyGrid(): the end points are the boiling temperatures of
// component 2 (x1 = 0) and component 1 (x1 = 1) by Tboilcal, each inner point the bubble
// temperature by iteration, warm-started from the previous one, with y1 = γ1 x1 Ps1/P (a y1
// that reaches 1 is 0.99999). False when P is beyond the law's limit for either component, when
// a solve fails or does not converge, or when forming y1 fails; `points` then holds the points
// before.
bool txyCurve(const ActivityModel& model, const BinaryConstants& components, float P_Pa,
              std::vector<services::TxyPoint>& points);

// The P-x-y curve at T (K) over `grid` from the two vapour pressures (Pa): the end points are
// the pure components', each inner point P = x1 γ1 Psat1 + x2 γ2 Psat2 and y1 = x1 γ1 Psat1/P,
// P in kPa. False when a coefficient fails or a pressure is not finite or below 0, or 0 inside
// the curve; a pure component's vapour pressure of 0 stays an end point.
bool pxyCurve(const ActivityModel& model, const std::array<float, 2>& Psat_Pa, float T_K,
              const std::vector<float>& grid, std::vector<services::PxyPoint>& points);

// Report rows 8-11 and 12-15: name, Tc, Pc (bar) and omega of component 1, then of component 2.
void writeComponentRows(services::ResultLines& result, const std::array<core::ComponentConstants, 2>& components);

// Report rows 18 + 3k, 19 + 3k and 20 + 3k of each point: T to 3 decimals, x1, y1 to 6
// decimals; or P in kPa, x1 and y1 as computed.
void writeCurveRows(services::ResultLines& result, const std::vector<services::TxyPoint>& points);
void writeCurveRows(services::ResultLines& result, const std::vector<services::PxyPoint>& points);

class VleRun {
public:
    VleRun(const VleWindowConfig& config, pure::PureWindowServices& services, const ParameterSource& boxes);

    // Command1_Click. True when the report was shown. A refused input ends with its message
    // and leaves points1.dat and the report page as they were; so does a curve that cannot be
    // completed (a failed or unconverged solve, a vapour pressure or coefficient that fails),
    // after the one message "Invalid Entry".
    bool run(const VleForm& form);

    // The first component's name as the last run gathered it, reported or not.
    const std::string& firstComponentName() const { return m_components[0].compoundname; }

private:
    bool gatherAndCheckComponents(const VleForm& form);
    // The two components' vapour pressures at T by the correlation their eq selects.
    bool vapourPressures(float T_K, std::array<float, 2>& Psat_Pa) const;

    const VleWindowConfig& m_config;
    pure::PureWindowServices& m_services;
    const ParameterSource& m_boxes;
    std::unique_ptr<ActivityModel> m_model;
    std::array<core::ComponentConstants, 2> m_components; // Pc in bar
    services::ResultLines m_result;
};

inline constexpr char invalidEntry[] = "Invalid Entry";

} // namespace calvex::activity
