#pragma once
// Writes the table `properties` of a component database from comma-separated records.

#include "data/csvreader.h"

#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace calvex::data {

struct PropertiesWriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The columns a component row may have, with the names and the order the program uses.
inline constexpr std::string_view propertiesColumns[] = {
    "SNO", "name", "Pc", "Tc", "Tb", "omega", "eq", "VPA", "VPB", "VPC", "VPD",
    "CPVAPA", "CPVAPB", "CPVAPC", "CPVAPD"};

// Checks a component table before a database is made from it: a header holding every one of
// propertiesColumns, a "not listed" row, and in every row as many fields as the header, each a
// number of its column's kind (whole numbers for SNO and eq, a name for name). Throws CsvError
// naming the line of the first fault.
void checkComponentTable(const std::vector<CsvLine>& lines);

// Makes `file` anew as an encrypted database keyed with `password`, holding one table
// `properties` whose columns are named by the first record (any of propertiesColumns, in any
// order) and whose rows are the other records. SNO and eq are stored as whole numbers, name as
// text, the rest as double-precision numbers; an empty field is stored as an empty cell. A table
// with both name and SNO gets the index componentListingIndex of the two. The file is written
// beside `file` under another name and renamed over it once complete.
// Throws PropertiesWriteError naming the record that cannot be stored.
void writePropertiesDatabase(const std::filesystem::path& file, const std::vector<CsvRecord>& records,
                             std::string_view password);

} // namespace calvex::data
