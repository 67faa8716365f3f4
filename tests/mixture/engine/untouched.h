#pragma once

#include <string>

namespace calvex::mixture::testing {

// What a caller leaves in `out` before a call; lines the routines do not write keep it.
inline const std::string untouched = "untouched";

} // namespace calvex::mixture::testing
