#include "unifac/interactioncsv.h"

#include <charconv>
#include <cmath>
#include <fstream>

namespace calvex::unifac {
namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string where(const std::filesystem::path& file, int line)
{
    return file.string() + ":" + std::to_string(line) + ": ";
}

} // namespace

std::variant<InteractionRows, std::string> readInteractionCsv(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return file.string() + ": cannot be read";
    InteractionRows rows{};
    std::string line;
    int lineNumber = 0;
    int rowCount = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (trimmed(line).empty())
            continue;
        if (rowCount == mainGroupCount)
            return where(file, lineNumber) + "more than " + std::to_string(mainGroupCount) + " lines of values";
        int column = 0;
        for (std::size_t start = 0; start <= line.size();) {
            std::size_t comma = line.find(',', start);
            if (comma == std::string::npos)
                comma = line.size();
            if (column == mainGroupCount)
                return where(file, lineNumber) + "more than " + std::to_string(mainGroupCount) + " values";
            const std::string_view text = trimmed(std::string_view(line).substr(start, comma - start));
            float value = 0.0f;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
                return where(file, lineNumber) + "value " + std::to_string(column + 1) + " \"" + std::string(text) +
                       "\" is not a number";
            rows[rowCount][column++] = value;
            start = comma + 1;
        }
        if (column != mainGroupCount)
            return where(file, lineNumber) + std::to_string(column) + " values instead of " +
                   std::to_string(mainGroupCount);
        ++rowCount;
    }
    if (rowCount != mainGroupCount)
        return where(file, lineNumber) + std::to_string(rowCount) + " lines of values instead of " +
               std::to_string(mainGroupCount);
    return rows;
}

} // namespace calvex::unifac
