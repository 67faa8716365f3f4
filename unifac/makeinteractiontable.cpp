// Build tool: turns the checked interaction parameter file into the source of the compiled-in
// table.   makeinteractiontable <unifac-interactions.csv> <output .cpp>
#include "data/interactiontable.h"
#include "unifac/subgrouptable.h"

#include <charconv>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: makeinteractiontable <csv file> <output file>\n";
        return 2;
    }
    // A table that fails its check leaves no generated source from an earlier build.
    std::error_code ignored;
    std::filesystem::remove(argv[2], ignored);
    std::vector<calvex::data::CsvLine> lines;
    try {
        lines = calvex::data::readCsvFile(argv[1]);
        calvex::data::checkInteractionTable(lines);
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    constexpr int groups = calvex::unifac::mainGroupCount;
    std::ofstream out(argv[2], std::ios::trunc);
    out << "// Generated from " << argv[1] << " by makeinteractiontable; do not edit.\n"
        << "namespace calvex::unifac {\n"
        << "extern const float interactionValues[" << groups << "][" << groups << "];\n"
        << "const float interactionValues[" << groups << "][" << groups << "] = {\n";
    char number[32];
    for (const calvex::data::CsvLine& line : lines) {
        out << "    {";
        for (std::size_t n = 0; n < line.fields.size(); ++n) {
            // Read straight into single precision, as the table holds it; nine significant
            // digits bring back the very same value.
            const std::string& field = line.fields[n];
            float value = 0.0f;
            std::from_chars(field.data(), field.data() + field.size(), value);
            const auto written =
                std::to_chars(number, number + sizeof number, static_cast<double>(value), std::chars_format::general, 9);
            std::string text(number, written.ptr);
            if (text.find_first_of(".e") == std::string::npos)
                text += ".0";
            out << (n ? ", " : "") << text << 'f';
        }
        out << "},\n";
    }
    out << "};\n} // namespace calvex::unifac\n";
    out.close();
    if (!out) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
