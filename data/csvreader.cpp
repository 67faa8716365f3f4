#include "data/csvreader.h"

#include "services/filereplacement.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace calvex::data {
namespace {

class CsvParser {
public:
    explicit CsvParser(std::string_view text) : m_text(text)
    {
        if (m_text.starts_with("\xEF\xBB\xBF"))
            m_position = 3;
    }

    std::vector<CsvLine> records()
    {
        std::vector<CsvLine> result;
        while (!atEnd()) {
            if (atLineEnd()) {
                skipLineEnd();
                continue;
            }
            const int line = m_line;
            result.push_back({line, record()});
        }
        return result;
    }

private:
    bool atEnd() const { return m_position >= m_text.size(); }
    char current() const { return m_text[m_position]; }
    bool atLineEnd() const
    {
        return current() == '\n' || (current() == '\r' && m_text.substr(m_position, 2) == "\r\n");
    }
    void skipLineEnd()
    {
        m_position += current() == '\r' ? 2 : 1;
        ++m_line;
    }

    [[noreturn]] void fail(const std::string& what) const
    {
        throw CsvError("line " + std::to_string(m_line) + ": " + what);
    }

    CsvRecord record()
    {
        CsvRecord fields;
        for (;;) {
            fields.push_back(!atEnd() && current() == '"' ? quotedField() : plainField());
            if (atEnd())
                return fields;
            if (atLineEnd()) {
                skipLineEnd();
                return fields;
            }
            ++m_position; // the comma
        }
    }

    std::string plainField()
    {
        std::string field;
        while (!atEnd() && current() != ',' && !atLineEnd()) {
            if (current() == '"')
                fail("quote inside an unquoted field");
            field += current();
            ++m_position;
        }
        return field;
    }

    std::string quotedField()
    {
        const int openedOn = m_line;
        std::string field;
        ++m_position;
        for (;;) {
            if (atEnd())
                throw CsvError("line " + std::to_string(openedOn) + ": quote never closed");
            const char c = current();
            ++m_position;
            if (c == '"') {
                if (!atEnd() && current() == '"') {
                    field += '"';
                    ++m_position;
                    continue;
                }
                if (!atEnd() && current() != ',' && !atLineEnd())
                    fail("text after a closing quote");
                return field;
            }
            if (c == '\n')
                ++m_line;
            field += c;
        }
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    int m_line = 1;
};

} // namespace

std::vector<CsvLine> parseCsvLines(std::string_view text) { return CsvParser(text).records(); }

std::vector<CsvRecord> parseCsv(std::string_view text)
{
    std::vector<CsvRecord> records;
    for (CsvLine& line : parseCsvLines(text))
        records.push_back(std::move(line.fields));
    return records;
}

namespace {

template <typename Value>
bool parsed(std::string_view text, Value& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

} // namespace

bool parseNumber(std::string_view text, double& value) { return parsed(text, value) && std::isfinite(value); }

bool parseWhole(std::string_view text, std::int64_t& value) { return parsed(text, value); }

std::vector<CsvLine> readCsvFile(const std::filesystem::path& file)
{
    const std::optional<std::string> content = services::readWholeFile(file);
    if (!content)
        throw CsvError("cannot be read");
    return parseCsvLines(*content);
}

} // namespace calvex::data
