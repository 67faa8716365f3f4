#pragma once
// The main-group interaction parameters as the project keeps them: a text file of 43 lines,
// line m holding a(m, 1..43) in kelvin, comma-separated.

#include "unifac/subgrouptable.h"

#include <array>
#include <filesystem>
#include <string>
#include <variant>

namespace calvex::unifac {

using InteractionRows = std::array<std::array<float, mainGroupCount>, mainGroupCount>;

// The rows of the file, or a message naming the file and the line at fault: a missing file,
// a line with a count of fields other than 43, a field that is not a finite number, a count
// of lines other than 43.
std::variant<InteractionRows, std::string> readInteractionCsv(const std::filesystem::path& file);

} // namespace calvex::unifac
