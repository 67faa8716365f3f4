#include "data/csvreader.h"

namespace calvex::pure {
namespace {

class CsvParser {
public:
    explicit CsvParser(std::string_view text) : m_text(text)
    {
        if (m_text.starts_with("\xEF\xBB\xBF"))
            m_position = 3;
    }

    std::vector<CsvRecord> records()
    {
        std::vector<CsvRecord> result;
        while (!atEnd()) {
            if (atLineEnd()) {
                skipLineEnd();
                continue;
            }
            result.push_back(record());
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

std::vector<CsvRecord> parseCsv(std::string_view text) { return CsvParser(text).records(); }

} // namespace calvex::pure
