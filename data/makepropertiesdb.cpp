// Build step: checks the component table and makes the encrypted component database of the
// program folder from it.   makepropertiesdb <components.csv> <properties.mdb>
// On any fault the database is removed, so the program folder never holds one that does not
// match the table.

#include "data/csvreader.h"
#include "data/propertieswriter.h"
#include "pure/componentdatabase.h"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace calvex::data;
    if (argc != 3) {
        std::cerr << "usage: makepropertiesdb <components.csv> <properties.mdb>\n";
        return 2;
    }
    try {
        const std::vector<CsvLine> lines = readCsvFile(argv[1]);
        checkComponentTable(lines);
        std::vector<CsvRecord> records;
        for (const CsvLine& line : lines)
            records.push_back(line.fields);
        writePropertiesDatabase(argv[2], records, calvex::pure::componentDatabaseKey);
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(argv[2], ignored);
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
