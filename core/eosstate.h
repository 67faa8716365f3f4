#pragma once
// The record a calculator window owns and passes by reference to every pure-component
// equation-of-state operation.

#include "core/componentconstants.h"
#include "services/resultformat.h"

#include <cstdint>

namespace calvex::core {

// The window that owns an EosState; the operations take their per-window behaviour
// (messages, steps report, iteration cap, iteration log, error trap) from it.
enum class EosHost {
    EnthalpyCalculator,
    EntropyCalculator,
    DepartureFunctionCalculator,
    PureComponentFugacityCalculator,
    MolarVolumeCalculator,
    SaturationPressureCalculator,
    SaturationTemperatureCalculator,
    Datapoints,
    PxyMargules,
    PxyVanlaar,
    Pxynrtl,
    Pxywilsons,
    fMain,
};

struct EosState {
    explicit EosState(EosHost owner) : host(owner) {}

    // Fills the component with constants as a window holds them (Pc in bar), converting
    // Pc to pascal, the unit of every operation here. False when Pc in Pa overflows a float.
    bool loadComponent(const ComponentConstants& constantsWithPcInBar);

    EosHost host;
    ComponentConstants component; // Pc in Pa
    std::int16_t optionno = 0;    // 1 van der Waals, 2 Peng-Robinson, 3 Redlich-Kwong, 4 Soave-Redlich-Kwong
    float T = 0.0f;               // K
    float p = 0.0f;               // Pa
    float Tref = 0.0f;            // K, saturated liquid of zero enthalpy and entropy
    services::ResultLines result; // the window's report values, sized by the window
    std::int16_t stepsflag = 0;   // 1: the next reporting calls write their intermediate values
    std::int16_t nos = 0;         // iteration-log row
    std::int16_t logoffset = 0;   // iteration-log offset, 5 per row
};

} // namespace calvex::core
