#pragma once
// A program folder for the calculator tests: a small component database (rows stored out of
// alphabetical order) and, for every pure window, a template whose placeholders stand one to a
// line, so that a test reads the report values back from result.htm.

#include "tests/pure/referenceeos.h"
#include "tests/support/scratchfolder.h"

#include <string>
#include <vector>

namespace calvex::testing {

// Constants as the issue texts give them, also stored in the fixture database.
inline constexpr reference::Fluid propane{369.8, 42.48e5, 0.152, 231.1};
inline constexpr reference::Fluid methane{190.6, 45.99e5, 0.011, 111.7};
inline constexpr reference::Fluid nButane{425.1, 37.96e5, 0.2, 272.7};

// Ideal-gas Cp = A + B T + C T^2 + D T^3 of the fixture components, J/(mol K).
struct HeatCapacity {
    double A, B, C, D;
};
inline constexpr HeatCapacity propaneCp{15.38936, 0.19355, 3.357778e-05, -7.055147e-08};

inline constexpr int propaneSno = 79;
inline constexpr int methaneSno = 23;
inline constexpr int butaneSno = 109;
inline constexpr int argonSno = 7;       // "Argon": a capital letter, a negative acentric factor
inline constexpr int zeroOmegaSno = 8;   // "zero omega fluid"

class PureFixtureFolder : public ScratchFolder {
public:
    PureFixtureFolder();

    // Values 1..count of the report in result.htm (element 0 empty), read through the probe
    // templates of this folder.
    std::vector<std::string> reportValues() const;
    // The lines of a points file, without their line ends.
    std::vector<std::string> pointsLines(const std::string& name) const;
};

// The numbers of one comma-separated points-file line.
std::vector<double> numbers(const std::string& line);

} // namespace calvex::testing
