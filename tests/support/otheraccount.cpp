#include "tests/support/otheraccount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include <sys/stat.h>
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

} // namespace calvex::testing
