#include "unifac/unifacvleruns.h"

#include "activity/binarycomponents.h"
#include "activity/bubbletemperature.h"
#include "activity/vlerun.h"
#include "activity/vlewindowconfig.h"
#include "core/eosstate.h"
#include "core/vapourpressure.h"
#include "pure/componentdatabase.h"
#include "services/numbers.h"
#include "services/resultformat.h"
#include "services/ui.h"
#include "services/units.h"
#include "unifac/calculatorrules.h"
#include "unifac/unifacmodel.h"

#include <array>
#include <optional>

namespace calvex::unifac {
namespace {

using activity::invalidEntry;
using services::singleText;
using services::ui;
using Stop = UnifacRunOutcome::Stop;
using Components = std::array<core::ComponentConstants, 2>; // Pc in bar

constexpr int firstPointRow = 18;

std::string& keptFirstComponentName()
{
    static std::string name;
    return name;
}

UnifacRunOutcome refuse(const std::string& message)
{
    ui().message(message);
    return {Stop::Refused};
}

// Both components come from rows 0 and 1, so both must be in use and differ. The rows are
// checked before anything is read, so a row left on "<< empty >>" never reaches the curve.
std::optional<UnifacRunOutcome> checkRows(const UnifacSheet& sheet)
{
    for (int row = 0; row < 2; ++row)
        if (sheet.rows[row].component == 0)
            return UnifacRunOutcome{Stop::Component, row};
    if (const int row = repeatedRow(sheet); row >= 0)
        return UnifacRunOutcome{Stop::Component, row};
    return std::nullopt;
}

// The first row of properties.mdb whose name matches once the blanks are removed; otherwise
// the component's constants dialog, shown modally. False after "error in loading data" when
// the database cannot be read.
bool gatherComponent(pure::PureWindowServices& services, const std::string& listText, int index,
                     core::ComponentConstants& c)
{
    c = {};
    c.compoundname = listText;
    const pure::ComponentLookup lookup = pure::ComponentDatabase().FindComponentByName(listText, c);
    if (!lookup.ok()) {
        ui().message("error in loading data");
        return false;
    }
    if (lookup.found)
        return true;
    services::ModalDialog* dialog = services.dialog(activity::constantsDialogName(index));
    if (!dialog)
        return true;
    ui().showModal(*dialog);
    const auto number = [&](int box) { return services::toSingle(services::val(dialog->fieldText(box))).value_or(0.0f); };
    c.compoundname = dialog->fieldText(0);
    c.Tc = number(1);
    c.Pc = number(2);
    c.omega = number(3);
    c.Tb = number(4);
    c.eq = 0;
    return true;
}

// Rows, constants, prompts and the name check, as both runs take them.
std::optional<UnifacRunOutcome> gatherComponents(const UnifacRunForm& form, pure::PureWindowServices& services,
                                                 const UnifacComponentList& list, const activity::OmegaRule& omega,
                                                 Components& components)
{
    if (const auto stop = checkRows(form.sheet))
        return stop;
    for (int i = 0; i < 2; ++i)
        if (!gatherComponent(services, list.ComponentNameAt(form.sheet.rows[i].component), i, components[i]))
            return UnifacRunOutcome{Stop::Refused};
    for (core::ComponentConstants& c : components)
        if (!activity::askMissingConstants(c, omega))
            return UnifacRunOutcome{Stop::Refused};
    if (components[0].compoundname == components[1].compoundname)
        return refuse("Two Components can't have same name so exiting ");
    return std::nullopt;
}

// The two-point law needs Tb below Tc and Pc above one atmosphere: otherwise it divides by
// zero or runs backwards.
bool twoPointLawUsable(const core::ComponentConstants& c_PcInPa)
{
    return c_PcInPa.Tb < c_PcInPa.Tc && c_PcInPa.Pc > activity::atmosphere_Pa;
}

std::optional<core::ComponentConstants> inPascal(const core::ComponentConstants& c)
{
    core::EosState state(core::EosHost::fMain);
    if (!state.loadComponent(c))
        return std::nullopt;
    return state.component;
}

// The rows for the sheet the model works on: the window's two rows, nothing else in use.
UnifacSheet modelSheet(const UnifacSheet& sheet)
{
    UnifacSheet rows;
    rows.rows[0].component = sheet.rows[0].component;
    rows.rows[1].component = sheet.rows[1].component;
    return rows;
}

UnifacRunOutcome report(services::ResultLines& result, int kind, const Components& components,
                        const std::function<void()>& beforeShowing)
{
    keptFirstComponentName() = components[0].compoundname;
    services::ShowResultReport(activity::reportCount, result, activity::templateName, kind, beforeShowing);
    return {Stop::Reported};
}

} // namespace

const std::string& lastFirstComponentName() { return keptFirstComponentName(); }

UnifacRunOutcome calpxyunifac(const UnifacRunForm& form, pure::PureWindowServices& services,
                              const std::function<void()>& beforeShowing, const UnifacComponentList& list)
{
    const double typed = services::val(form.sheet.temperature);
    const double T = temperatureInKelvin(typed, form.sheet.unitIndex);
    if (!temperatureUsable(T))
        return {Stop::Temperature};
    Components components;
    if (const auto stop = gatherComponents(form, services, list, {false, "Acentric"}, components))
        return *stop;
    const std::optional<float> T_K = services::toSingle(T);
    if (!T_K)
        return refuse(invalidEntry);

    services::ResultLines result(activity::reportCount + 1);
    result[1] = "P-x-y(Unifac Method)";
    result[2] = "Temperature";
    result[3] = singleText(services::toSingle(typed).value_or(0.0f));
    result[4] = form.temperatureUnit;
    result[5] = "   ";
    result[6] = "      ";
    result[7] = "       ";
    activity::writeComponentRows(result, components);
    result[17] = "Pressure(kpa)";

    std::array<float, 2> Psat{};
    for (int i = 0; i < 2; ++i) {
        const std::optional<core::ComponentConstants> c = inPascal(components[i]);
        const bool lawUsed = c && (c->eq == 0 || c->eq == 2);
        if (!c || (lawUsed && !twoPointLawUsable(*c)))
            return refuse(invalidEntry);
        core::EosState state(core::EosHost::fMain);
        state.component = *c;
        state.T = *T_K;
        const std::optional<float> pressure = core::PsatCorrelation(state);
        if (!pressure)
            return refuse(invalidEntry);
        Psat[i] = *pressure;
    }
    UnifacSheet sheet = modelSheet(form.sheet);
    const UnifacModel model(sheet, list);
    std::vector<services::PxyPoint> points;
    if (!activity::pxyCurve(model, Psat, *T_K, activity::pxyGrid(activity::PxyGrid::FromSecond), points))
        return refuse(invalidEntry);
    for (std::size_t k = 0; k < points.size(); ++k) {
        result[firstPointRow + 3 * k] = services::roundedText(points[k].P_kPa, 3);
        result[firstPointRow + 3 * k + 1] = singleText(points[k].x1);
        result[firstPointRow + 3 * k + 2] = services::roundedText(points[k].y1, 6);
    }
    if (!services::writePxyPointsFile(points))
        return refuse("points1.dat cannot be written");
    return report(result, pxyResultKind, components, beforeShowing);
}

UnifacRunOutcome caltxyunifac(const UnifacRunForm& form, pure::PureWindowServices& services,
                              const std::function<void()>& beforeShowing, const UnifacComponentList& list)
{
    Components components;
    if (const auto stop = gatherComponents(form, services, list, {false, "acentric"}, components))
        return *stop;
    const std::optional<float> typed = services::toSingle(services::val(form.pressureText));
    if (!typed)
        return refuse(invalidEntry);
    if (*typed <= 0)
        return refuse("pressure cannot be zero");

    services::ResultLines result(activity::reportCount + 1);
    result[1] = "T-x-y(UNIFAC Method)";
    result[2] = "Pressure";
    result[3] = singleText(*typed);
    result[4] = form.pressureUnit;
    activity::writeComponentRows(result, components);
    result[17] = "Temperature(kelvin)";

    float P = *typed;
    if (!(services::ToPascal(P, form.pressureUnit) > 0))
        return refuse(invalidEntry);
    activity::BinaryConstants law;
    for (int i = 0; i < 2; ++i) {
        const std::optional<core::ComponentConstants> c = inPascal(components[i]);
        if (!c || !twoPointLawUsable(*c))
            return refuse(invalidEntry);
        law[i] = {c->Tb, c->Tc, c->Pc};
    }
    UnifacSheet sheet = modelSheet(form.sheet);
    const UnifacModel model(sheet, list);
    std::vector<services::TxyPoint> points;
    if (!activity::txyCurve(model, law, P, points))
        return refuse(invalidEntry);
    activity::writeCurveRows(result, points);
    if (!services::writeTxyPointsFile(points))
        return refuse("points1.dat cannot be written");
    return report(result, txyResultKind, components, beforeShowing);
}

} // namespace calvex::unifac
