#pragma once
// How each owning window's variant of the equation-of-state operations differs: one row of
// data per window instead of one copy of each routine per window.

#include "core/eosstate.h"

#include <array>
#include <string_view>

namespace calvex::core::detail {

// Indexes the per-equation message arrays; optionno 1..4 maps onto it.
enum class Equation { VanDerWaals = 0, PengRobinson = 1, RedlichKwong = 2, SoaveRedlichKwong = 3 };

enum class FugacityMode {
    AtStateTemperature, // argument is the pressure, temperature from the state
    LoggingPressure,    // the same, writing the equation name and two cells of the iteration log
    LoggingTemperature, // argument is the temperature, pressure from the state; logging as above
};

struct HostVariant {
    bool trapped;     // false: faults show nothing and reach the caller as an empty result
    bool stepsReport; // compressibility calls write slots 9-18 while stepsflag is 1
    std::array<std::string_view, 4> zcalMessage;
    FugacityMode fugacityMode;
    std::string_view fugasitycalMessage;
    std::array<std::string_view, 4> fugacityMessage;
    int psatUpdateCap; // updates of the saturation-pressure iteration before it gives up
    std::string_view psatiterationMessage;

    // A routine's message in a window that traps its faults; none in the others.
    std::string_view messageIfTrapped(std::string_view message) const { return trapped ? message : std::string_view{}; }
};

const HostVariant& variantOf(EosHost host);

} // namespace calvex::core::detail
