#pragma once
// The UNIFAC window's two diagram runs, calpxyunifac (bubble pressures at the typed
// temperature) and caltxyunifac (bubble temperatures at the typed pressure), for the component
// of row 0 (component 1) and that of row 1 (component 2): the rows checked, each component's
// constants looked up by name in properties.mdb (its constants dialog shown when no row
// matches), missing constants asked for, then the curve by modified Raoult's law with UNIFAC
// coefficients, points1.dat and the 180 values of TPxycalculator.htm.
//
// A refused input ends with its message; so does a curve that cannot be completed ("Invalid
// Entry": a failed or unconverged solve, a vapour-pressure law that cannot be used, an
// overflow). Neither writes points1.dat or a report.

#include "pure/purecalculator.h"
#include "unifac/activitycoefficients.h"

#include <functional>
#include <string>

namespace calvex::unifac {

// The window's controls when Calculate is pressed.
struct UnifacRunForm {
    UnifacSheet sheet;           // the rows, the temperature text and its unit index
    std::string temperatureUnit; // TempUnits' text (P-x-y)
    std::string pressureText;    // Text1_Pressure (T-x-y)
    std::string pressureUnit;    // Combo1_Unit_p (T-x-y)
};

struct UnifacRunOutcome {
    enum class Stop {
        Reported,    // the report was handed to the viewer
        Refused,     // a message was shown; nothing was written
        Temperature, // P-x-y: not above 0 K; the window shows its temperature message
        Component,   // a row empty or repeated; the window shows its component message at `row`
    };
    Stop stop = Stop::Refused;
    int row = -1;
};

// `beforeShowing` runs between pointing the viewer at the report and showing it.
UnifacRunOutcome calpxyunifac(const UnifacRunForm& form, pure::PureWindowServices& services,
                              const std::function<void()>& beforeShowing,
                              const UnifacComponentList& list = componentList());
UnifacRunOutcome caltxyunifac(const UnifacRunForm& form, pure::PureWindowServices& services,
                              const std::function<void()>& beforeShowing,
                              const UnifacComponentList& list = componentList());

// Component 1's name as the last reported run gathered it, kept after the window has closed
// for the diagrams' axis titles.
const std::string& lastFirstComponentName();

inline constexpr int pxyResultKind = 22;
inline constexpr int txyResultKind = 23;

} // namespace calvex::unifac
