#include "pure/sqlcipher.h"

#include <climits>

namespace calvex::pure {

Connection openKeyed(const std::filesystem::path& file, int flags, std::string_view password,
                     std::string& error)
{
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
    Connection connection(raw); // sqlite3_open_v2 may hand back a handle even when it fails
    if (opened != SQLITE_OK) {
        error = file.string() + ": " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(opened));
        return nullptr;
    }
    if (password.empty())
        return connection; // a plain, unencrypted file
    if (password.size() > INT_MAX ||
        sqlite3_key(raw, password.data(), static_cast<int>(password.size())) != SQLITE_OK) {
        error = file.string() + ": " + sqlite3_errmsg(raw);
        return nullptr;
    }
    // A raw key is used as it is. A passphrase is fixed in the program, so stretching it
    // protects nothing and would only add tens of milliseconds to every operation, each of which
    // opens the file anew.
    // Pages of 4 KiB: an operation reads the whole table, a quarter as many reads and page
    // checks as with the default 1 KiB. The writer opens here too, so both sides agree.
    if (sqlite3_exec(raw, "PRAGMA cipher_page_size = 4096", nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = file.string() + ": " + sqlite3_errmsg(raw);
        return nullptr;
    }
    if (password.starts_with("x'"))
        return connection;
    if (sqlite3_exec(raw, "PRAGMA kdf_iter = 4000", nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = file.string() + ": " + sqlite3_errmsg(raw);
        return nullptr;
    }
    return connection;
}

Statement prepare(sqlite3* connection, std::string_view sql, std::string& error)
{
    sqlite3_stmt* raw = nullptr;
    if (sql.size() > INT_MAX) {
        error = "query too long";
        return nullptr;
    }
    const int prepared =
        sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
    Statement statement(raw);
    if (prepared != SQLITE_OK) {
        const char* file = sqlite3_db_filename(connection, "main");
        error = std::string(file ? file : "") + ": " + sqlite3_errmsg(connection);
        return nullptr;
    }
    if (!statement)
        error = "empty query";
    return statement;
}

} // namespace calvex::pure
