#pragma once
// Owning handles on an SQLCipher connection and statement, and the keyed open that the
// component database and the tool that makes it share.

#include <sqlcipher/sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace calvex::pure {

struct CloseConnection {
    void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// Opens `file` with the sqlite3_open_v2 `flags` and gives the connection `password` as its
// key: a passphrase, or a raw key x'<64 hex digits>' that needs no derivation (an empty
// password leaves the file unencrypted). A wrong key is only noticed by the first statement,
// which then fails as if the file were not a database. A file opened with SQLITE_OPEN_READONLY
// is taken as unchanging while the connection lasts (SQLite's immutable file), and is opened as
// every file of the program folder is (guardedvfs.h). On failure `error` says why and the result
// is empty.
Connection openKeyed(const std::filesystem::path& file, int flags, std::string_view password,
                     std::string& error);

// Prepares `sql` on `connection`; on failure `error` says why and the result is empty.
Statement prepare(sqlite3* connection, std::string_view sql, std::string& error);

} // namespace calvex::pure
