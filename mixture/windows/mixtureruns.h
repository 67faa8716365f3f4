#pragma once
// The run of each kind of mixture calculator: what its Calculate does once the window has read
// its controls (see calculaterun.h for the seam and the prologue steps a run calls).

#include "mixture/windows/mixturewindowconfig.h"

#include <functional>

namespace calvex::mixture {

class CalculateRun;

using MixtureRunFunction = std::function<void(CalculateRun&)>;

// Empty for a kind whose run is not built; its Calculate shows the not-available note.
MixtureRunFunction mixtureRunFor(MixtureWindowKind kind);

} // namespace calvex::mixture
