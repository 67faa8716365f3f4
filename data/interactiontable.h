#pragma once
// The UNIFAC group-interaction table: line m holds a(m, 1..43) in kelvin for the main groups
// 1 to 43, comma-separated, without a header.

#include "data/csvreader.h"

#include <cstddef>
#include <vector>

namespace calvex::data {

inline constexpr std::size_t interactionGroups = 43;

// Checks that the table has 43 lines of 43 numbers. Throws CsvError naming the line of the
// first fault.
void checkInteractionTable(const std::vector<CsvLine>& lines);

} // namespace calvex::data
