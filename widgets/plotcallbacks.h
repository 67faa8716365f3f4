#pragma once
// What the result viewer calls back when a plot button is pressed. A calculator window that
// draws charts implements one of these interfaces and is registered with the window registry
// under the name the ResultKind table gives (services/resultkinds.h); the viewer loads it by
// that name (creating it, unshown, when it is not loaded) and calls it.
//
// A callback runs to its end before the viewer writes "plotting complete". It normally reports
// its own failures and returns; anything it throws is caught by the viewer, which shows a
// message and stays usable.

#include <string>

namespace calvex::widgets {

// The pure-component, mixture, T-x-y and P-x-y windows.
class PlotCallbacks {
public:
    virtual ~PlotCallbacks() = default;
    // "T", "P" or "XY" as the button's entry gives it; the saturation-pressure and
    // saturation-temperature windows take no argument and are called with the empty text.
    virtual void graphplotting(const std::string& argument) = 0;
};

// The UNIFAC window fMain, whose two runs draw different diagrams.
class UnifacPlotCallbacks {
public:
    virtual ~UnifacPlotCallbacks() = default;
    virtual void graphplottingPXY(const std::string& argument) = 0; // "P" or "XY"
    virtual void graphplottingTXY(const std::string& argument) = 0; // "T" or "XY"
};

} // namespace calvex::widgets
