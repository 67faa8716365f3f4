#include "pure/sqlcipher.h"

#include "pure/componentdatabase.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

namespace calvex::pure {
namespace {

namespace fs = std::filesystem;

const char* const otherKey = "x'00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff'";

// The single value of `sql` as text, or the error of the open or the query.
std::string valueOf(const fs::path& file, const char* password, const char* sql)
{
    std::string error;
    const Connection connection = openKeyed(file, SQLITE_OPEN_READONLY, password, error);
    if (!connection)
        return error;
    const Statement statement = prepare(connection.get(), sql, error);
    if (!statement)
        return error;
    if (sqlite3_step(statement.get()) != SQLITE_ROW)
        return sqlite3_errmsg(connection.get());
    return reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
}

// A reader names the file to SQLite as a URI, where '?', '#' and '%' have meanings of their own;
// a folder holding any of them must still be the folder the file is read from, and the file
// still opens only with its key.
TEST(SqlCipher, ReaderOpensFilesInFoldersWhoseNamesLookLikeUriSyntax)
{
    const testing::ScratchFolder folder;
    for (const char* name : {"plain", "what?immutable=0", "C#", "100%", "%41", "two  blanks", "caf\xc3\xa9", "file:"}) {
        const fs::path file = folder.path() / name / componentDatabaseFile;
        fs::create_directories(file.parent_path());
        {
            std::string error;
            const Connection writer =
                openKeyed(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, componentDatabaseKey, error);
            ASSERT_TRUE(writer) << name << ": " << error;
            ASSERT_EQ(sqlite3_exec(writer.get(), "CREATE TABLE t (v TEXT); INSERT INTO t VALUES ('argon')",
                                   nullptr, nullptr, nullptr),
                      SQLITE_OK)
                << name;
        }
        EXPECT_EQ(valueOf(file, componentDatabaseKey, "SELECT v FROM t"), "argon") << name;
        EXPECT_NE(valueOf(file, otherKey, "SELECT v FROM t").find("not a database"), std::string::npos) << name;
        EXPECT_NE(valueOf(file, "", "SELECT v FROM t").find("not a database"), std::string::npos) << name;
    }
}

long lockedKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmLck:"))
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// SQLCipher's calls to lock its buffers are answered by the program; anyone else's still lock.
TEST(SqlCipher, MemoryLockedByOtherCodeIsLocked)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer answers every mlock itself and locks nothing";
#endif
    rlimit limit{};
    const long page = ::sysconf(_SC_PAGESIZE);
    if (::getrlimit(RLIMIT_MEMLOCK, &limit) == 0 && limit.rlim_cur < static_cast<rlim_t>(page) && ::geteuid() != 0)
        GTEST_SKIP() << "this process may not lock memory";
    void* buffer = std::aligned_alloc(static_cast<std::size_t>(page), static_cast<std::size_t>(page));
    ASSERT_NE(buffer, nullptr);
    const long before = lockedKilobytes();
    ASSERT_EQ(::mlock(buffer, static_cast<std::size_t>(page)), 0);
    EXPECT_EQ(lockedKilobytes(), before + page / 1024);
    ASSERT_EQ(::munlock(buffer, static_cast<std::size_t>(page)), 0);
    EXPECT_EQ(lockedKilobytes(), before);
    std::free(buffer);
}

} // namespace
} // namespace calvex::pure
