#include "pure/sqlcipher.h"

#include "pure/guardedvfs.h"

#include <climits>
#include <cstdint>
#include <dlfcn.h>
#include <link.h>
#include <sys/mman.h>

namespace calvex::pure {
namespace {

// The addresses of SQLCipher's own code, or an empty range when they cannot be found.
struct CodeRange {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    bool holds(const void* address) const
    {
        const auto at = reinterpret_cast<std::uintptr_t>(address);
        return at >= begin && at < end;
    }
};

// The code segment holding sqlite3_libversion: the library's, as the program is position
// independent and so takes the library's own address of it.
CodeRange sqlcipherCode()
{
    static const CodeRange range = [] {
        struct Search {
            std::uintptr_t function;
            CodeRange found;
        } search{reinterpret_cast<std::uintptr_t>(&sqlite3_libversion), {}};
        dl_iterate_phdr(
            [](dl_phdr_info* object, std::size_t, void* data) {
                auto& [function, found] = *static_cast<Search*>(data);
                for (int index = 0; index < object->dlpi_phnum; ++index) {
                    const ElfW(Phdr)& segment = object->dlpi_phdr[index];
                    const std::uintptr_t begin = object->dlpi_addr + segment.p_vaddr;
                    if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X) && function >= begin &&
                        function < begin + segment.p_memsz) {
                        found = {begin, begin + segment.p_memsz};
                        return 1;
                    }
                }
                return 0;
            },
            &search);
        return search.found;
    }();
    return range;
}

template <typename Call>
Call nextDefinition(const char* name)
{
    return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name));
}

} // namespace
} // namespace calvex::pure

// SQLCipher locks every buffer it allocates into memory, so that keys never reach the swap
// file, and unlocks it when freeing: two system calls per buffer, some forty per operation, more
// than half of the time of a look-up. The component database's key is compiled into the program,
// so locking its copies protects nothing, and this build of the library has no setting to leave
// it out. The program's definitions take those calls; any other caller is passed on.
extern "C" int mlock(const void* address, std::size_t length) noexcept
{
    if (calvex::pure::sqlcipherCode().holds(__builtin_return_address(0)))
        return 0;
    static const auto next = calvex::pure::nextDefinition<int (*)(const void*, std::size_t)>("mlock");
    return next ? next(address, length) : -1;
}

extern "C" int munlock(const void* address, std::size_t length) noexcept
{
    if (calvex::pure::sqlcipherCode().holds(__builtin_return_address(0)))
        return 0;
    static const auto next = calvex::pure::nextDefinition<int (*)(const void*, std::size_t)>("munlock");
    return next ? next(address, length) : -1;
}

namespace calvex::pure {
namespace {

// `file` as an SQLite URI that marks it immutable, every byte outside the unreserved set
// escaped, so that no '?', '#' or '%' in a folder name is taken for URI syntax.
std::string immutableUri(const std::filesystem::path& file)
{
    const std::string& path = file.native();
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += c;
        } else {
            static constexpr char hex[] = "0123456789ABCDEF";
            uri += {'%', hex[byte >> 4], hex[byte & 15]};
        }
    }
    return uri + "?immutable=1";
}

} // namespace

Connection openKeyed(const std::filesystem::path& file, int flags, std::string_view password,
                     std::string& error)
{
    sqlite3* raw = nullptr;
    // A reader takes the file as unchanging: no locks, no look-ups of a journal, no checks that
    // it changed. The database is replaced only whole, by renaming a complete file over it, which
    // a connection already open never sees.
    // It reads the file of the program folder as every reader there does (guardedvfs.h): a FIFO,
    // or another account's link, fails the open at once.
    const bool reader = (flags & SQLITE_OPEN_READONLY) != 0;
    const int opened = reader ? sqlite3_open_v2(immutableUri(file).c_str(), &raw, flags | SQLITE_OPEN_URI,
                                                guardedReaderVfs())
                              : sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
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
