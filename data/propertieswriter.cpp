#include "data/propertieswriter.h"

#include "pure/componentdatabase.h"
#include "pure/sqlcipher.h"

#include <algorithm>
#include <cstdint>
#include <unistd.h>

namespace calvex::data {
namespace {

enum class Storage { Whole, Text, Number };

Storage storageOf(std::string_view column)
{
    if (column == "SNO" || column == "eq")
        return Storage::Whole;
    if (column == "name")
        return Storage::Text;
    return Storage::Number;
}

const char* declaredType(Storage storage)
{
    switch (storage) {
    case Storage::Whole:
        return "INTEGER";
    case Storage::Text:
        return "TEXT";
    case Storage::Number:
        break;
    }
    return "REAL";
}

class Writer {
public:
    Writer(const std::filesystem::path& file, std::string_view password)
    {
        std::string error;
        m_connection = pure::openKeyed(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, password, error);
        if (!m_connection)
            throw PropertiesWriteError(error);
    }

    void execute(const std::string& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(m_connection.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string text = message ? message : sqlite3_errmsg(m_connection.get());
            sqlite3_free(message);
            throw PropertiesWriteError(text);
        }
    }

    void write(const std::vector<CsvRecord>& records)
    {
        if (records.empty())
            throw PropertiesWriteError("no header record");
        const CsvRecord& header = records.front();
        std::vector<Storage> storage;
        std::string create = "CREATE TABLE properties (";
        std::string insert = "INSERT INTO properties VALUES (";
        for (std::size_t index = 0; index < header.size(); ++index) {
            const std::string& column = header[index];
            if (std::ranges::find(propertiesColumns, column) == std::end(propertiesColumns))
                throw PropertiesWriteError("unknown column \"" + column + "\"");
            if (std::ranges::count(header, column) > 1)
                throw PropertiesWriteError("column " + column + " named twice");
            storage.push_back(storageOf(column));
            const std::string separator = index ? ", " : "";
            // A second row with the same SNO would make the look-up ambiguous.
            create += separator + column + " " + declaredType(storage.back()) + (column == "SNO" ? " UNIQUE" : "");
            insert += separator + "?";
        }
        execute(create + ")");
        execute("BEGIN");
        std::string error;
        pure::Statement statement = pure::prepare(m_connection.get(), insert + ")", error);
        if (!statement)
            throw PropertiesWriteError(error);
        for (std::size_t row = 1; row < records.size(); ++row) {
            const CsvRecord& record = records[row];
            if (record.size() != header.size())
                throw PropertiesWriteError(whereAbouts(row) + std::to_string(record.size()) + " fields, the header has " +
                                           std::to_string(header.size()));
            for (std::size_t index = 0; index < record.size(); ++index)
                bind(statement.get(), static_cast<int>(index) + 1, record[index], storage[index], row,
                     header[index]);
            if (sqlite3_step(statement.get()) != SQLITE_DONE)
                throw PropertiesWriteError(whereAbouts(row) + sqlite3_errmsg(m_connection.get()));
            sqlite3_reset(statement.get());
        }
        statement.reset();
        if (std::ranges::count(header, "name") && std::ranges::count(header, "SNO"))
            execute(std::string("CREATE INDEX ") + pure::componentListingIndex + " ON properties (name, SNO)");
        execute("COMMIT");
    }

    void close()
    {
        if (sqlite3_close(m_connection.get()) != SQLITE_OK)
            throw PropertiesWriteError(sqlite3_errmsg(m_connection.get()));
        m_connection.release();
    }

private:
    static std::string whereAbouts(std::size_t row) { return "record " + std::to_string(row + 1) + ": "; }

    void bind(sqlite3_stmt* statement, int parameter, const std::string& field, Storage storage,
              std::size_t row, const std::string& column)
    {
        int bound = SQLITE_OK;
        if (field.empty()) {
            bound = sqlite3_bind_null(statement, parameter);
        } else if (storage == Storage::Text) {
            bound = sqlite3_bind_text(statement, parameter, field.data(), static_cast<int>(field.size()),
                                      SQLITE_TRANSIENT);
        } else if (storage == Storage::Whole) {
            std::int64_t value = 0;
            if (!parseWhole(field, value))
                throw PropertiesWriteError(whereAbouts(row) + column + " \"" + field + "\" is not a whole number");
            bound = sqlite3_bind_int64(statement, parameter, value);
        } else {
            double value = 0.0;
            if (!parseNumber(field, value))
                throw PropertiesWriteError(whereAbouts(row) + column + " \"" + field + "\" is not a number");
            bound = sqlite3_bind_double(statement, parameter, value);
        }
        if (bound != SQLITE_OK)
            throw PropertiesWriteError(whereAbouts(row) + sqlite3_errmsg(m_connection.get()));
    }

    pure::Connection m_connection;
};

} // namespace

void checkComponentTable(const std::vector<CsvLine>& lines)
{
    if (lines.empty())
        throw CsvError("line 1: no header");
    const CsvLine& header = lines.front();
    for (std::string_view column : propertiesColumns) {
        if (std::ranges::find(header.fields, column) == header.fields.end())
            throw CsvError("line " + std::to_string(header.line) + ": no column " + std::string(column));
    }
    bool notListedRow = false;
    for (std::size_t row = 1; row < lines.size(); ++row) {
        const CsvLine& line = lines[row];
        const std::string where = "line " + std::to_string(line.line) + ": ";
        if (line.fields.size() != header.fields.size())
            throw CsvError(where + std::to_string(line.fields.size()) + " fields, the header has " +
                           std::to_string(header.fields.size()));
        for (std::size_t index = 0; index < line.fields.size(); ++index) {
            const std::string& column = header.fields[index];
            const std::string& field = line.fields[index];
            std::int64_t whole = 0;
            double number = 0.0;
            switch (storageOf(column)) {
            case Storage::Text:
                if (field.empty())
                    throw CsvError(where + "no " + column);
                notListedRow = notListedRow || field == "not listed";
                break;
            case Storage::Whole:
                if (!parseWhole(field, whole))
                    throw CsvError(where + column + " \"" + field + "\" is not a whole number");
                break;
            case Storage::Number:
                if (!parseNumber(field, number))
                    throw CsvError(where + column + " \"" + field + "\" is not a number");
                break;
            }
        }
    }
    if (!notListedRow)
        throw CsvError("line " + std::to_string(lines.back().line) + ": no row \"not listed\"");
}

void writePropertiesDatabase(const std::filesystem::path& file, const std::vector<CsvRecord>& records,
                             std::string_view password)
{
    std::filesystem::path partial = file;
    partial += ".partial-" + std::to_string(::getpid());
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    try {
        Writer writer(partial, password);
        writer.write(records);
        writer.close();
        std::filesystem::rename(partial, file);
    } catch (...) {
        std::filesystem::remove(partial, ignored);
        throw;
    }
}

} // namespace calvex::data
