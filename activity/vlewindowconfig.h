#pragma once
// What sets the eight binary T-x-y and P-x-y windows apart: their texts, constant boxes, focus
// order, report rows, checks and diagram. One window class, one T-x-y run and one P-x-y run
// read everything from here.

#include "activity/activitymodel.h"
#include "activity/binarycomponents.h"
#include "core/eosstate.h"
#include "services/chartfill.h"

#include <string>
#include <vector>

namespace calvex::activity {

enum class VleWindowKind { TxyMargules, TxyVanlaar, Txynrtl, Txywilsons, PxyMargules, PxyVanlaar, Pxynrtl, Pxywilsons };

enum class VleRunKind {
    Txy, // bubble temperatures at a fixed pressure, the two-point law
    Pxy, // bubble pressures at a fixed temperature, the vapour-pressure correlation
};

// The 50 compositions of a P-x-y run.
enum class PxyGrid {
    FromSecond, // (k + 1)/50 with x1(0) = 0: 0, 0.04, 0.06, …, 0.98, 1
    ToLast,     // k/50 with x1(49) = 1: 0, 0.02, …, 0.96, 1
};

struct ConstantBox {
    std::string name;      // the box's objectName, which the model reads
    std::string label;     // the text beside it
    std::string unitLabel; // empty: none
    // Shown when the box reads 0 or less (the molar volumes); empty: any value passes.
    std::string notPositiveMessage = {};
};

struct VleWindowConfig {
    VleWindowKind kind = VleWindowKind::TxyMargules;
    VleRunKind run = VleRunKind::Txy;
    ModelKind model = ModelKind::Margules;
    std::string name;    // the registered window name, its objectName
    std::string caption; // the window caption
    std::string heading; // the red heading label
    std::string constantsHeading;
    // The first two are the model's two constants, read again by the run for its report and
    // checks; any further box is read by the model only.
    std::vector<ConstantBox> boxes;
    // The Tab order after the unit list: box names and "Command1".
    std::vector<std::string> focusAfterUnits;

    // The report: row 1 title, row 5 constants heading, the labels before the constants of
    // rows 6 and 7.
    std::string title;
    std::string reportHeading;
    std::string firstLabel;
    std::string secondLabel;
    // Shown when the first or second constant is 0; empty: 0 is accepted.
    std::string firstZeroMessage;
    std::string secondZeroMessage;

    OmegaRule omega = {};
    PxyGrid grid = PxyGrid::FromSecond; // P-x-y windows
    core::EosHost host = core::EosHost::PxyMargules; // whose vapour-pressure correlation (P-x-y)
    int resultKind = 0;
    services::VleDiagram diagram = services::VleDiagram::Txy;
};

const VleWindowConfig& vleWindowConfig(VleWindowKind kind);
const std::vector<VleWindowKind>& vleWindowKinds();

inline constexpr char templateName[] = "TPxycalculator.htm";
inline constexpr int reportCount = 180;

} // namespace calvex::activity
