#pragma once
// Comma-separated text as RFC 4180 writes it: records end with CR LF or LF, a field in double
// quotes may hold commas, line breaks and doubled quotes ("" for one "). Blank lines are
// skipped and a byte-order mark at the start is ignored.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace calvex::pure {

using CsvRecord = std::vector<std::string>;

struct CsvError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The records of `text`, fields unquoted. Throws CsvError, naming the line, on a quote that is
// never closed, text after a closing quote, or a quote inside an unquoted field.
std::vector<CsvRecord> parseCsv(std::string_view text);

} // namespace calvex::pure
