#include "tests/support/otheraccount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace calvex::testing {
namespace fs = std::filesystem;
namespace {

std::string line(const fs::path& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return path.string() + " missing\n";
    std::string text = path.string() + " " + std::to_string(status.st_uid) + ":" + std::to_string(status.st_gid) +
                       " " + std::to_string(status.st_mode) + " " + std::to_string(status.st_mtim.tv_sec) + "." +
                       std::to_string(status.st_mtim.tv_nsec);
    if (S_ISREG(status.st_mode)) {
        std::ifstream in(path, std::ios::binary);
        const std::string content{std::istreambuf_iterator<char>(in), {}};
        text += " " + std::to_string(std::hash<std::string>{}(content));
    }
    return text + "\n";
}

} // namespace

void giveTo(const fs::path& top, uid_t owner)
{
    ASSERT_EQ(::chown(top.c_str(), owner, owner), 0) << "the tests run as root";
    for (const auto& entry : fs::recursive_directory_iterator(top))
        ASSERT_EQ(::lchown(entry.path().c_str(), owner, owner), 0) << entry.path();
}

fs::path privateFolder(const fs::path& folder, uid_t owner)
{
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_all);
    giveTo(folder, owner);
    return folder;
}

std::string fileListing(const fs::path& folder)
{
    std::vector<std::string> lines{line(folder)};
    std::error_code error;
    for (auto entry = fs::recursive_directory_iterator(folder, error); !error && entry != fs::end(entry);
         entry.increment(error))
        lines.push_back(line(entry->path()));
    // In name order: the order a folder lists its entries in may change with what was made there.
    std::sort(lines.begin(), lines.end());
    std::string listing;
    for (const std::string& text : lines)
        listing += text;
    return listing;
}

void inChildProcess(uid_t account, const std::function<void()>& work)
{
    std::fflush(nullptr); // nothing printed before is printed twice
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool switched = account == ::geteuid() ||
                              (::setgroups(0, nullptr) == 0 && ::setgid(account) == 0 && ::setuid(account) == 0);
        // Whatever happens, the child ends here: it never runs the tests that follow.
        try {
            if (switched)
                work();
            else
                ADD_FAILURE() << "the child could not become account " << account;
        } catch (const std::exception& error) {
            ADD_FAILURE() << "the child threw: " << error.what();
        } catch (...) {
            ADD_FAILURE() << "the child threw";
        }
        std::fflush(nullptr);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child process failed: see above";
}

} // namespace calvex::testing
