#pragma once
// The sweeps behind the plot buttons of the mixture molar-volume, fugacity and departure
// windows: the property over a grid of temperatures at the reported pressure ("T",
// points1.dat) or of pressures at the reported temperature ("P", points2.dat), computed on a
// copy of the run state of the last report; every point at its stable root. The molar-volume
// sweeps leave out the points that the report's phase rule puts in two phases.

#include "mixture/windows/mixturerunstate.h"
#include "services/chartfill.h"

#include <optional>
#include <string>

namespace calvex::mixture {

// The chart a window's plot buttons draw; empty for a window without sweeps.
std::optional<services::SweepPlot> sweepPlotOf(MixtureWindowKind kind);

// Writes the sweep that `argument` selects from `snapshot` into its points file and returns
// the file's name; a molar-volume sweep whose every point lies in two phases writes a file of no
// rows. Empty when the window has no sweeps or `argument` selects none (anything
// but "T" and "P"), and when there is no snapshot, a point gave no value or the file could not
// be written: then, after the messages of the routines or the engine, the window's message
// ("error in PVorTV graph", "error in PDorTD graph"), and the file is left as it was.
std::string writeMixtureSweep(MixtureWindowKind kind, const std::optional<MixtureRunState>& snapshot,
                              const std::string& argument);

// The same sweep selected by the points writer's code: "TV" or "PV" in the molar-volume window,
// "TD" or "PD" in the fugacity and departure windows. Any other code does nothing.
std::string writeMixturePoints(MixtureWindowKind kind, const std::optional<MixtureRunState>& snapshot,
                               const std::string& code);

} // namespace calvex::mixture
