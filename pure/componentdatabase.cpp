#include "pure/componentdatabase.h"

#include "pure/sqlcipher.h"
#include "services/numbers.h"
#include "services/programfolder.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <utility>
#include <vector>

namespace calvex::pure {
namespace {

// Raised inside an operation and turned into the operation's error at its boundary, after
// the statement and the connection have been released.
struct Failure {
    std::string text;
};

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string withoutBlanks(std::string_view text)
{
    std::string result(text);
    std::erase(result, ' ');
    return result;
}

// A number held as text, as the whole text (blanks around it allowed) or nothing.
std::optional<double> numberInText(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// One query over the open database, stepped row by row; the cells of the current row are
// read by column name, matched without regard to case.
class Rows {
public:
    // Runs the first of `queries` that prepares. Each but the last delivers, in the same order
    // and with the same cells, the rows of the last that the caller would not pass over; a file
    // that one does not fit (no such index or column, a view) falls to the next, so what fails,
    // fails with the message of the last. `text` is bound to a first parameter.
    Rows(const std::filesystem::path& file, std::initializer_list<std::string_view> queries,
         std::string_view text = {})
    {
        std::string error;
        // The connection is used by this one operation in this one thread.
        m_connection = openKeyed(file, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, componentDatabaseKey, error);
        for (auto query = queries.begin(); m_connection && !m_statement && query + 1 < queries.end(); ++query)
            m_statement = prepareNarrowed(*query, text);
        if (m_connection && !m_statement)
            m_statement = prepare(m_connection.get(), *std::prev(queries.end()), error);
        if (!m_statement)
            throw Failure{error};
    }

    // Moves to the next row (the first on the first call); false past the last one.
    bool next()
    {
        const int stepped = sqlite3_step(m_statement.get());
        if (stepped == SQLITE_ROW)
            return true;
        if (stepped == SQLITE_DONE)
            return false;
        throw Failure{sqlite3_errmsg(m_connection.get())};
    }

    std::string text(std::string_view column)
    {
        const int index = present(column);
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), index));
        if (!value)
            throw Failure{"unreadable cell in column " + std::string(column)};
        return {value, static_cast<std::size_t>(sqlite3_column_bytes(m_statement.get(), index))};
    }

    float single(std::string_view column)
    {
        const auto value = services::toSingle(number(column));
        if (!value)
            throw Failure{"value of " + std::string(column) + " out of range"};
        return *value;
    }

    template <typename Whole>
    Whole whole(std::string_view column)
    {
        // A fractional value is rounded half to even, as the conversion to a whole number does.
        const double value = services::roundHalfEven(number(column), 0);
        if (!(value >= std::numeric_limits<Whole>::min() && value <= std::numeric_limits<Whole>::max()))
            throw Failure{"value of " + std::string(column) + " out of range"};
        return static_cast<Whole>(value);
    }

private:
    Statement prepareNarrowed(std::string_view sql, std::string_view text)
    {
        std::string ignored;
        Statement statement = prepare(m_connection.get(), sql, ignored);
        if (statement && sqlite3_bind_parameter_count(statement.get()) > 0 &&
            (text.size() > std::numeric_limits<int>::max() ||
             sqlite3_bind_text(statement.get(), 1, text.data(), static_cast<int>(text.size()), SQLITE_STATIC) !=
                 SQLITE_OK))
            statement.reset();
        return statement;
    }

    // The columns of a statement stay where they are from row to row: each name is matched once.
    int columnIndex(std::string_view column)
    {
        for (const auto& [known, index] : m_columns)
            if (known == column)
                return index;
        const int count = sqlite3_column_count(m_statement.get());
        for (int index = 0; index < count; ++index) {
            const char* name = sqlite3_column_name(m_statement.get(), index);
            if (name && sameIgnoringCase(name, column)) {
                m_columns.emplace_back(column, index);
                return index;
            }
        }
        throw Failure{"no column " + std::string(column)};
    }

    // The index of a column whose cell in the current row holds a value.
    int present(std::string_view column)
    {
        const int index = columnIndex(column);
        if (sqlite3_column_type(m_statement.get(), index) == SQLITE_NULL)
            throw Failure{"empty cell in column " + std::string(column)};
        return index;
    }

    double number(std::string_view column)
    {
        const int index = present(column);
        switch (sqlite3_column_type(m_statement.get(), index)) {
        case SQLITE_INTEGER:
            return static_cast<double>(sqlite3_column_int64(m_statement.get(), index));
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_statement.get(), index);
        case SQLITE_TEXT:
            if (const auto value = numberInText(text(column)))
                return *value;
            break;
        default:
            break;
        }
        throw Failure{"no number in column " + std::string(column)};
    }

    Connection m_connection;
    Statement m_statement;
    // The callers name columns by literals, which outlive the rows.
    std::vector<std::pair<std::string_view, int>> m_columns;
};

void readVapourPressure(Rows& rows, core::ComponentConstants& constants)
{
    if (constants.eq == 1 || constants.eq == 2 || constants.eq == 3) {
        constants.VPA = rows.single("VPA");
        constants.VPB = rows.single("VPB");
        constants.VPC = rows.single("VPC");
        if (constants.eq != 3)
            constants.VPD = rows.single("VPD");
    }
}

// Runs `operation`, turning every failure inside it into an error text.
template <typename Result, typename Operation>
Result guarded(Operation&& operation)
{
    try {
        return operation();
    } catch (const Failure& failure) {
        Result result;
        result.error = failure.text.empty() ? "component database error" : failure.text;
        return result;
    } catch (const std::exception& exception) {
        Result result;
        result.error = exception.what();
        return result;
    }
}

} // namespace

ComponentDatabase::ComponentDatabase(std::filesystem::path file) : m_file(std::move(file)) {}

std::filesystem::path ComponentDatabase::file() const
{
    return m_file.empty() ? services::programFile(componentDatabaseFile) : m_file;
}

ComponentList ComponentDatabase::ListComponents() const
{
    return guarded<ComponentList>([&] {
        ComponentList list;
        // The two columns listed, in stored order: from the listing index, or from the table
        // without the other columns.
        static const std::string fromListing = std::string("SELECT name, SNO FROM Properties INDEXED BY ") +
                                               componentListingIndex + " ORDER BY rowid";
        Rows rows(file(), {fromListing, "SELECT name, SNO FROM Properties NOT INDEXED", "SELECT * FROM Properties"});
        while (rows.next())
            list.components.push_back({rows.text("name"), rows.whole<std::int32_t>("SNO")});
        return list;
    });
}

ComponentLookup ComponentDatabase::ReadComponent(std::int32_t SNO, core::ComponentConstants& constants,
                                                 ComponentColumns columns) const
{
    return guarded<ComponentLookup>([&] {
        Rows rows(file(), {"SELECT * FROM properties WHERE SNO= " + std::to_string(SNO)});
        if (!rows.next())
            return ComponentLookup{};
        core::ComponentConstants read = constants;
        read.Pc = rows.single("Pc");
        read.Tc = rows.single("Tc");
        read.Tb = rows.single("Tb");
        if (columns != ComponentColumns::Critical)
            read.eq = rows.whole<std::int16_t>("Eq");
        read.omega = rows.single("omega");
        if (columns == ComponentColumns::HeatCapacity) {
            read.CPVAPA = rows.single("CPVAPA");
            read.CPVAPB = rows.single("CPVAPB");
            read.CPVAPC = rows.single("CPVAPC");
            read.CPVAPD = rows.single("CPVAPD");
        }
        if (columns != ComponentColumns::Critical)
            readVapourPressure(rows, read);
        constants = std::move(read);
        return ComponentLookup{true, std::nullopt};
    });
}

ComponentLookup ComponentDatabase::FindComponentByName(std::string_view name,
                                                       core::ComponentConstants& constants) const
{
    return guarded<ComponentLookup>([&] {
        const std::string wanted = withoutBlanks(name);
        // The scan stops at the first row whose name matches or is missing, which fails it; the
        // narrower queries find that row in the listing index, or in the table without taking
        // out the rows before it.
        static const std::string fromListing =
            std::string("SELECT * FROM properties WHERE rowid = (SELECT rowid FROM properties INDEXED BY ") +
            componentListingIndex + " WHERE name IS NULL OR replace(name, ' ', '') = ?1 ORDER BY rowid LIMIT 1)";
        Rows rows(file(),
                  {fromListing, "SELECT * FROM properties NOT INDEXED WHERE name IS NULL OR replace(name, ' ', '') = ?1",
                   "SELECT * from properties "},
                  wanted);
        while (rows.next()) {
            if (withoutBlanks(rows.text("name")) != wanted)
                continue;
            core::ComponentConstants read = constants;
            read.Pc = rows.single("Pc");
            read.Tc = rows.single("Tc");
            read.Tb = rows.single("Tb");
            read.omega = rows.single("omega");
            read.eq = rows.whole<std::int16_t>("eq");
            readVapourPressure(rows, read);
            constants = std::move(read);
            return ComponentLookup{true, std::nullopt};
        }
        return ComponentLookup{};
    });
}

} // namespace calvex::pure
