#include "activity/vlewindowconfig.h"

namespace calvex::activity {
namespace {

const std::string joulePerMole = "Joule/mole";

// The T-x-y and P-x-y windows of one model share their constant boxes and window headings.
VleWindowConfig margules(VleRunKind run)
{
    VleWindowConfig c;
    c.run = run;
    c.model = ModelKind::Margules;
    c.heading = "  Binary vle calculator(margules  equation)";
    c.constantsHeading = "Margules Constants";
    c.boxes = {{"A12_Text1", "A12", ""}, {"A21_Text1", "A21", ""}};
    c.focusAfterUnits = {"A12_Text1", "A21_Text1", "Command1"};
    c.reportHeading = "Margules Constants";
    c.firstLabel = "A12 = ";
    c.secondLabel = "A21 = ";
    return c;
}

VleWindowConfig vanLaar(VleRunKind run)
{
    VleWindowConfig c;
    c.run = run;
    c.model = ModelKind::VanLaar;
    c.heading = "  Binary vle calculator(Van Laar  equation)";
    c.constantsHeading = "Van Laar  Constants";
    c.boxes = {{"A_Text1", "A", ""}, {"B_Text1", "B", ""}};
    c.focusAfterUnits = {"A_Text1", "B_Text1", "Command1"};
    c.reportHeading = "Van Laar  Constants";
    c.firstLabel = "A = ";
    c.secondLabel = "B = ";
    c.firstZeroMessage = "A cannot be zero";
    c.secondZeroMessage = "B cannot be zero";
    return c;
}

VleWindowConfig nrtl(VleRunKind run, const std::string& unitLabel)
{
    VleWindowConfig c;
    c.run = run;
    c.model = ModelKind::Nrtl;
    c.constantsHeading = "NRTL parameters";
    c.boxes = {{"A_Text1", "(Delta)g12", unitLabel}, {"B_Text1", "(Delta)g21", unitLabel}, {"alpha_Text1", "alpha12 ", ""}};
    c.reportHeading = "NRTL Constants";
    c.firstLabel = "(Delta)g12 = ";
    c.secondLabel = "(Delta)g21 = ";
    c.secondZeroMessage = "(delta)g21 cannot be zero";
    return c;
}

VleWindowConfig wilson(VleRunKind run)
{
    VleWindowConfig c;
    c.run = run;
    c.model = ModelKind::Wilson;
    c.constantsHeading = "Wilson's parameter";
    c.boxes = {{"A_Text1", "Lamda12", joulePerMole},
               {"B_Text1", "Lamda21", joulePerMole},
               {"v1_Text1", "v1", "", "v1 cannot be zero or negative"},
               {"v2_Text1", "v2", "", "v2 cannot be zero or negative"}};
    c.reportHeading = "wilson's Constants";
    return c;
}

void txy(VleWindowConfig& c, VleWindowKind kind, const char* name, const char* caption, const char* title,
         int resultKind)
{
    c.kind = kind;
    c.name = name;
    c.caption = caption;
    c.title = title;
    c.resultKind = resultKind;
    c.omega = {false, "acentric"};
    c.diagram = services::VleDiagram::Txy;
}

void pxy(VleWindowConfig& c, VleWindowKind kind, const char* name, const char* caption, const char* title,
         int resultKind, core::EosHost host)
{
    c.kind = kind;
    c.name = name;
    c.caption = caption;
    c.title = title;
    c.resultKind = resultKind;
    c.omega = {true, "Acentric"};
    c.host = host;
    c.diagram = services::VleDiagram::Pxy;
}

std::vector<VleWindowConfig> makeTable()
{
    std::vector<VleWindowConfig> table;

    VleWindowConfig c = margules(VleRunKind::Txy);
    txy(c, VleWindowKind::TxyMargules, "TxyMargules", "Txy Margules", "T-x-y(Margules Equation)", 19);
    c.firstZeroMessage = "A12 cannot be zero";
    c.secondZeroMessage = "A21 cannot be zero";
    table.push_back(c);

    c = vanLaar(VleRunKind::Txy);
    txy(c, VleWindowKind::TxyVanlaar, "TxyVanlaar", "Txy Vanlaar", "T-x-y(Vanlaar  Equation)", 21);
    table.push_back(c);

    c = nrtl(VleRunKind::Txy, joulePerMole);
    txy(c, VleWindowKind::Txynrtl, "Txynrtl", "Txy NRTL", "T-x-y(NRTL Equation)", 31);
    c.heading = "  Binary vle calculator(NRTL Method)";
    c.focusAfterUnits = {"A_Text1", "B_Text1", "Command1", "alpha_Text1"};
    c.firstZeroMessage = "deltag12 cannot be zero";
    table.push_back(c);

    c = wilson(VleRunKind::Txy);
    txy(c, VleWindowKind::Txywilsons, "Txywilsons", "Txy Wilson's Method", "T-x-y(Wilson's  Equation)", 29);
    c.heading = "  Binary vle calculator(Wilsons Equation)";
    c.focusAfterUnits = {"A_Text1", "B_Text1", "Command1", "v1_Text1", "v2_Text1"};
    c.firstLabel = "lamda12 = ";
    c.secondLabel = "lamda21 = ";
    c.firstZeroMessage = "deltalamda12 cannot be zero";
    c.secondZeroMessage = "deltalamda21 cannot be zero";
    table.push_back(c);

    c = margules(VleRunKind::Pxy);
    pxy(c, VleWindowKind::PxyMargules, "PxyMargules", "Pxy Margules", "P-x-y(Margules Equation)", 18,
        core::EosHost::PxyMargules);
    table.push_back(c);

    c = vanLaar(VleRunKind::Pxy);
    pxy(c, VleWindowKind::PxyVanlaar, "PxyVanlaar", "Pxy vanlaar", "P-x-y(Vaan Laar Equation)", 20,
        core::EosHost::PxyVanlaar);
    c.grid = PxyGrid::ToLast;
    c.omega = {false, "acentric"};
    table.push_back(c);

    c = nrtl(VleRunKind::Pxy, "");
    pxy(c, VleWindowKind::Pxynrtl, "Pxynrtl", "Pxy nrtl", "P-x-y(NRTL Method)", 30, core::EosHost::Pxynrtl);
    c.heading = " Binary vle calculator(NRTL)";
    c.focusAfterUnits = {"Command1", "alpha_Text1", "B_Text1", "A_Text1"};
    c.firstZeroMessage = "(delta)g12 cannot be zero";
    table.push_back(c);

    c = wilson(VleRunKind::Pxy);
    pxy(c, VleWindowKind::Pxywilsons, "Pxywilsons", "Pxy wilsons", "P-x-y(Wilson's Method)", 28,
        core::EosHost::Pxywilsons);
    c.heading = " Binary vle calculator(wilsons)";
    c.focusAfterUnits = {"Command1", "v2_Text1", "v1_Text1", "B_Text1", "A_Text1"};
    c.firstLabel = "(Delta)lamda12 = ";
    c.secondLabel = "(Delta)lamda21 = ";
    c.firstZeroMessage = "(delta)lamda12 cannot be zero";
    c.secondZeroMessage = "(delta)lamda21 cannot be zero";
    table.push_back(c);

    return table;
}

const std::vector<VleWindowConfig>& table()
{
    static const std::vector<VleWindowConfig> windows = makeTable();
    return windows;
}

} // namespace

const VleWindowConfig& vleWindowConfig(VleWindowKind kind) { return table()[static_cast<std::size_t>(kind)]; }

const std::vector<VleWindowKind>& vleWindowKinds()
{
    static const std::vector<VleWindowKind> kinds = {
        VleWindowKind::TxyMargules, VleWindowKind::TxyVanlaar, VleWindowKind::Txynrtl, VleWindowKind::Txywilsons,
        VleWindowKind::PxyMargules, VleWindowKind::PxyVanlaar, VleWindowKind::Pxynrtl, VleWindowKind::Pxywilsons};
    return kinds;
}

} // namespace calvex::activity
