#include "data/interactiontable.h"

namespace calvex::data {

void checkInteractionTable(const std::vector<CsvLine>& lines)
{
    for (const CsvLine& line : lines) {
        const std::string where = "line " + std::to_string(line.line) + ": ";
        if (line.fields.size() != interactionGroups)
            throw CsvError(where + std::to_string(line.fields.size()) + " fields, " +
                           std::to_string(interactionGroups) + " expected");
        for (std::size_t index = 0; index < line.fields.size(); ++index) {
            double value = 0.0;
            if (!parseNumber(line.fields[index], value))
                throw CsvError(where + "field " + std::to_string(index + 1) + " \"" + line.fields[index] +
                               "\" is not a number");
        }
    }
    if (lines.size() != interactionGroups)
        throw CsvError("line " + std::to_string(lines.empty() ? 1 : lines.back().line) + ": " +
                       std::to_string(lines.size()) + " lines, " + std::to_string(interactionGroups) + " expected");
}

} // namespace calvex::data
