#pragma once
// Comma-separated text as RFC 4180 writes it: records end with CR LF or LF, a field in double
// quotes may hold commas, line breaks and doubled quotes ("" for one "). Blank lines are
// skipped and a byte-order mark at the start is ignored.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace calvex::data {

using CsvRecord = std::vector<std::string>;

struct CsvError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A record and the line of the text on which it starts (a quoted field can span lines).
struct CsvLine {
    int line = 0;
    CsvRecord fields;
};

// The records of `text`, fields unquoted. Throws CsvError, naming the line, on a quote that is
// never closed, text after a closing quote, or a quote inside an unquoted field.
std::vector<CsvLine> parseCsvLines(std::string_view text);
std::vector<CsvRecord> parseCsv(std::string_view text);

// The whole of `text` as a finite number in the C locale's notation; false for anything else,
// surrounding blanks, "inf" and "nan" included.
bool parseNumber(std::string_view text, double& value);
bool parseWhole(std::string_view text, std::int64_t& value);

// The records of the file; throws CsvError when it cannot be read or parsed.
std::vector<CsvLine> readCsvFile(const std::filesystem::path& file);

} // namespace calvex::data
