#include "services/resultkinds.h"

#include "services/numbers.h"

#include <cmath>

namespace calvex::services {
namespace {

ResultKindEntry sweep(int kind, const std::string& window, const std::string& captionT, const std::string& captionP)
{
    return {kind, {{captionT, window, PlotCall::Graphplotting, "T"}, {captionP, window, PlotCall::Graphplotting, "P"}}};
}

ResultKindEntry saturation(int kind, const std::string& window, const std::string& caption)
{
    return {kind, {{caption, window, PlotCall::Graphplotting, ""}}};
}

ResultKindEntry noPlot(int kind) { return {kind, {{"No Plot", "", PlotCall::Nothing, ""}}}; }

ResultKindEntry diagram(int kind, const std::string& window, const std::string& caption, const std::string& phaseMode,
                        PlotCall call = PlotCall::Graphplotting)
{
    return {kind, {{caption, window, call, phaseMode}, {"X-Y Graph", window, call, "XY"}}};
}

const std::vector<ResultKindEntry>& table()
{
    static const std::vector<ResultKindEntry> entries = {
        sweep(1, "MolarVolumeCalculator", "Plot T vs V", "Plot P vs V"),
        saturation(2, "SaturationPressureCalculator", "Plot Saturation Pressure  vs T"),
        saturation(3, "SaturationTemperatureCalculator", "Plot Saturation Temperature vs P"),
        sweep(4, "PureComponentFugacityCalculator", "Plot Fugacity  vs T", "Plot Fugacity  vs P"),
        sweep(5, "DepartureFunctionCalculator", "Plot Departure Function vs T", "Plot Departure Function vs P"),
        sweep(6, "EntropyCalculator", "Plot Entropy vs T", "Plot Entropy vs P"),
        sweep(7, "EnthalpyCalculator", "Plot Enthalpy vs T", "Plot Enthalpy vs P"),
        sweep(8, "SelectComponentForm1", "Plot T vs V", "Plot P vs V"),
        sweep(9, "FugacitySelectComponentForm1", "Plot Fugacity  vs T", "Plot Fugacity  vs P"),
        noPlot(10),
        sweep(11, "DepartureSelectComponentForm1", "Plot Departure Function vs T", "Plot Departure Function vs P"),
        noPlot(12),
        noPlot(13),
        noPlot(14),
        noPlot(15),
        noPlot(16),
        diagram(18, "PxyMargules", "Plot P-x-y Graph", "P"),
        diagram(19, "TxyMargules", "T-x-y Graph", "T"),
        diagram(20, "PxyVanlaar", "P-x-y", "P"),
        diagram(21, "TxyVanlaar", "T-x-y Graph", "T"),
        diagram(22, "fMain", "P-x-y", "P", PlotCall::GraphplottingPXY),
        diagram(23, "fMain", "Plot T-x-y Graph", "T", PlotCall::GraphplottingTXY),
        diagram(28, "Pxywilsons", "P-x-y", "P"),
        diagram(29, "Txywilsons", "T-x-y Graph", "T"),
        diagram(30, "Pxynrtl", "P-x-y", "P"),
        diagram(31, "Txynrtl", "T-x-y Graph", "T"),
    };
    return entries;
}

} // namespace

const ResultKindEntry* resultKindEntry(double kind)
{
    if (!std::isfinite(kind) || kind != std::floor(kind))
        return nullptr;
    for (const ResultKindEntry& entry : table())
        if (entry.kind == kind)
            return &entry;
    return nullptr;
}

double resultKindOf(std::string_view text) { return val(text); }

} // namespace calvex::services
