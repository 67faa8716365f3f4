// Build tool: turns the interaction parameter file into the source of the compiled-in table.
// usage: makeinteractiontable <unifac-interactions.csv> <output .cpp>
#include "unifac/interactioncsv.h"

#include <cstdio>
#include <fstream>
#include <iostream>

int main(int argc, char* argv[])
{
    using namespace calvex::unifac;
    if (argc != 3) {
        std::cerr << "usage: makeinteractiontable <csv file> <output file>\n";
        return 2;
    }
    const auto read = readInteractionCsv(argv[1]);
    if (const auto* message = std::get_if<std::string>(&read)) {
        std::cerr << *message << '\n';
        return 1;
    }
    const InteractionRows& rows = std::get<InteractionRows>(read);
    std::ofstream out(argv[2], std::ios::trunc);
    out << "// Generated from " << argv[1] << " by makeinteractiontable; do not edit.\n"
        << "namespace calvex::unifac {\n"
        << "extern const float interactionValues[" << mainGroupCount << "][" << mainGroupCount << "];\n"
        << "const float interactionValues[" << mainGroupCount << "][" << mainGroupCount << "] = {\n";
    char number[32];
    for (const auto& row : rows) {
        out << "    {";
        for (std::size_t n = 0; n < row.size(); ++n) {
            // Nine significant digits bring back the very same single-precision value.
            std::snprintf(number, sizeof number, "%.9gf", static_cast<double>(row[n]));
            std::string text = number;
            if (text.find_first_of(".e") == std::string::npos)
                text.insert(text.size() - 1, ".0");
            out << (n ? ", " : "") << text;
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
