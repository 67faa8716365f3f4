#pragma once
// The ResultKind a calculator leaves in the result viewer: which plot buttons the viewer
// offers for it, with their captions, and which window each button calls back.

#include <string>
#include <string_view>
#include <vector>

namespace calvex::services {

// How a plot button reaches its window (see widgets/plotcallbacks.h).
enum class PlotCall {
    Nothing,          // "No Plot": the button calls nothing
    Graphplotting,    // PlotCallbacks::graphplotting(argument)
    GraphplottingPXY, // UnifacPlotCallbacks::graphplottingPXY(argument)
    GraphplottingTXY, // UnifacPlotCallbacks::graphplottingTXY(argument)
};

struct PlotButton {
    std::string caption;
    std::string window;   // the registered window name; empty for PlotCall::Nothing
    PlotCall call = PlotCall::Nothing;
    std::string argument; // "T", "P", "XY", or empty for the two saturation windows
};

struct ResultKindEntry {
    int kind = 0;
    std::vector<PlotButton> buttons; // one or two: key(0) and key(1)
};

// The entry of a kind that offers plot buttons; nullptr for every other value (17, 24 to 27,
// 0, fractions, numbers above 31).
const ResultKindEntry* resultKindEntry(double kind);

// The viewer's reading of its hidden Text1: the leading number of the text, 0 when it has none.
double resultKindOf(std::string_view text);

} // namespace calvex::services
