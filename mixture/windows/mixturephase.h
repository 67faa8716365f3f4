#pragma once
// The phase rule of the molar-volume window's report (line 19): where a mixture lies at a
// pressure by its bubble and dew pressures at the temperature. The report's phase statement and
// the molar-volume sweeps both decide through it.

#include "mixture/windows/mixturerunstate.h"
#include "services/resultformat.h"

namespace calvex::mixture {

enum class MixturePhase {
    Unknown,  // a search found no pressure: the report states no phase
    TwoPhase, // Pd < P < Pb
    Liquid,   // P > Pb
    Vapour,   // P < Pd
    Boundary, // P at Pb or Pd without lying strictly between them: the report's line stays empty
};

// The bubble and dew pressures (bar) of a mixture at one temperature; 0 where the engine's
// search found none.
struct PhaseBoundaries {
    float Pb_bar = 0;
    float Pd_bar = 0;
};

// The engine's bubble-pressure and dew-pressure passes on `state`'s mixture at T_K, in that order.
// Each asks its guess prompt and shows its failure messages through ui(); `out` takes the lines
// they write.
PhaseBoundaries phaseBoundaries(const MixtureRunState& state, float T_K, services::ResultLines& out);

MixturePhase mixturePhase(float P_bar, const PhaseBoundaries& boundaries);

} // namespace calvex::mixture
