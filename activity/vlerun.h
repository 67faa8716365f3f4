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

class VleRun {
public:
    VleRun(const VleWindowConfig& config, pure::PureWindowServices& services, const ParameterSource& boxes);

    // Command1_Click. True when the report was shown. A refused input ends with its message
    // and leaves points1.dat and the report page as they were; so does a curve that cannot be
    // completed (a failed or unconverged solve, a vapour pressure or coefficient that fails),
    // after the one message "Invalid Entry".
    bool run(const VleForm& form);

    // The first component's name as the last run gathered it: the diagram titles name it.
    const std::string& firstComponentName() const { return m_components[0].compoundname; }

private:
    bool gatherAndCheckComponents(const VleForm& form);
    bool computeTxy(float P_Pa, std::vector<services::TxyPoint>& points);
    bool computePxy(float T_K, std::vector<services::PxyPoint>& points);

    const VleWindowConfig& m_config;
    pure::PureWindowServices& m_services;
    const ParameterSource& m_boxes;
    std::unique_ptr<ActivityModel> m_model;
    std::array<core::ComponentConstants, 2> m_components; // Pc in bar
    services::ResultLines m_result;
};

inline constexpr char invalidEntry[] = "Invalid Entry";

} // namespace calvex::activity
