// Build step: makes the encrypted component database of the program folder from the
// component table.   makepropertiesdb <components.csv> <properties.mdb>

#include "data/csvreader.h"
#include "data/propertieswriter.h"
#include "pure/componentdatabase.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::string contentOf(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("cannot read ") + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace calvex::pure;
    if (argc != 3) {
        std::cerr << "usage: makepropertiesdb <components.csv> <properties.mdb>\n";
        return 2;
    }
    try {
        const std::vector<CsvRecord> records = parseCsv(contentOf(argv[1]));
        // Every column the program reads must be there, even where a table could do without it.
        for (std::string_view column : propertiesColumns) {
            if (records.empty() || std::ranges::find(records.front(), column) == records.front().end())
                throw std::runtime_error("no column " + std::string(column));
        }
        const auto name = std::ranges::find(records.front(), "name") - records.front().begin();
        if (std::ranges::none_of(records, [&](const CsvRecord& record) {
                return static_cast<std::size_t>(name) < record.size() && record[name] == "not listed";
            }))
            throw std::runtime_error("no row \"not listed\"");
        writePropertiesDatabase(argv[2], records, componentDatabasePassword);
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
