// Build step: checks the UNIFAC group-interaction table and, when it holds, writes the stamp
// file the build waits for.   checkinteractions <unifac-interactions.csv> <stamp>

#include "data/interactiontable.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace calvex::pure;
    if (argc != 3) {
        std::cerr << "usage: checkinteractions <unifac-interactions.csv> <stamp>\n";
        return 2;
    }
    std::error_code ignored;
    std::filesystem::remove(argv[2], ignored);
    try {
        checkInteractionTable(readCsvFile(argv[1]));
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    std::ofstream(argv[2]) << "checked\n";
    return 0;
}
