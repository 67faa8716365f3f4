#pragma once
// The runs of the six engine windows: bubble and dew pressure and temperature, isothermal flash
// and mixture molar volume, each a prologue of CalculateRun steps in its own order and one to
// three calls of the mixture engine.

namespace calvex::mixture {

class CalculateRun;

// The prologue of the bubble and dew runs: a pressure run (given the temperature) when the
// window asks for the temperature, else a temperature run. False when the run ends.
bool bubbleDewPrologue(CalculateRun& run);

void bubbleDewRun(CalculateRun& run);
void flashRun(CalculateRun& run);
void molarVolumeRun(CalculateRun& run);

} // namespace calvex::mixture
