#pragma once
// The sweeps behind the plot buttons of the mixture-fugacity and mixture-departure windows:
// the property over a grid of temperatures at the reported pressure ("T", points1.dat) or of
// pressures at the reported temperature ("P", points2.dat), each point at its stable root,
// computed on a copy of the state of the last report.

#include "mixture/windows/familyrun.h"

#include <string>

namespace calvex::mixture {

// Writes the sweep that `argument` selects from `snapshot` (the run state of the last report)
// into its points file and returns the file's name. Empty when `argument` selects no sweep
// (anything but "T" and "P"), and when a point gave no value or the file could not be written:
// then, after the messages of the routines, "error in PDorTD graph", and the file is left as
// it was.
std::string writeFamilySweep(const FamilyTraits& traits, const MixtureRunState& snapshot, const std::string& argument);

} // namespace calvex::mixture
