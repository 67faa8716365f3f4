#include "core/hostvariant.h"

namespace calvex::core::detail {
namespace {

// Message arrays are in Equation order: van der Waals, Peng-Robinson, Redlich-Kwong, Soave.
constexpr std::array<std::string_view, 4> zcal{"error in Zcal", "error in Zcal", "error in Zcal", "error in Zcal"};
constexpr std::array<std::string_view, 4> fugacity{"error fugacity", "error fugacity", "error fugacity", "error fugacity"};
constexpr std::array<std::string_view, 4> silent{};

// The molar-volume, fugacity and departure windows: their compressibility calls report steps.
constexpr HostVariant reportingWindow{true, true, zcal, FugacityMode::AtStateTemperature, "error fugacitycal",
                                      fugacity, 40, "error Psatiteration"};

// The enthalpy and entropy windows, through eecal.
constexpr HostVariant enthalpyWindow{true, false, zcal, FugacityMode::AtStateTemperature, "error fugacitycal",
                                     fugacity, 30, "error Psatiteration"};

constexpr HostVariant saturationPressureWindow{
    true, false, {"error in Zcalvanderwaal", "error in Zcalpr", "error in ZcalRK", "error in Zcalsrk"},
    FugacityMode::LoggingPressure, "error in fugacitycal",
    {"error in fugacityeq", "error in fugacityeq", "error in fugacityRK", "error in fugacitySRK"},
    49, "error in Psatiteration"};

// This window calls no saturation pressure; its row keeps the reporting windows' values there.
constexpr HostVariant saturationTemperatureWindow{
    true, false, zcal, FugacityMode::LoggingTemperature, "error in Fugacitycal",
    {"error in Fugacityeqstate", "error in Fugacityeqstate", "error in fugacityrk", "error in fugacitysrk"},
    40, "error Psatiteration"};

// The data-point window and the two-component windows trap nothing; the data-point
// iteration has no cap of its own, so it is bounded here.
constexpr HostVariant untrappedWindow{false, false, silent, FugacityMode::AtStateTemperature, {}, silent,
                                      500, {}};

} // namespace

const HostVariant& variantOf(EosHost host)
{
    switch (host) {
    case EosHost::EnthalpyCalculator:
    case EosHost::EntropyCalculator:
        return enthalpyWindow;
    case EosHost::DepartureFunctionCalculator:
    case EosHost::PureComponentFugacityCalculator:
    case EosHost::MolarVolumeCalculator:
        return reportingWindow;
    case EosHost::SaturationPressureCalculator:
        return saturationPressureWindow;
    case EosHost::SaturationTemperatureCalculator:
        return saturationTemperatureWindow;
    case EosHost::Datapoints:
    case EosHost::PxyMargules:
    case EosHost::PxyVanlaar:
    case EosHost::Pxynrtl:
    case EosHost::Pxywilsons:
    case EosHost::fMain:
        break;
    }
    return untrappedWindow;
}

} // namespace calvex::core::detail
