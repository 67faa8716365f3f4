#include "services/filereplacement.h"

#include "tests/support/filesizelimit.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace calvex::services {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

std::size_t entries(const ScratchFolder& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), {}));
}

TEST(FileReplacement, ReplacesWholeKeepsWhatIsPresentAndLeavesNothingOnFailure)
{
    ScratchFolder folder;
    folder.write("list", "old");
    fs::permissions(folder.file("list"), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(writeReplacing(folder.file("list"), "new"));
    EXPECT_EQ(folder.read("list"), "new");
    EXPECT_EQ(fs::status(folder.file("list")).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    EXPECT_EQ(writeReplacing(folder.file("list"), "other", WhenPresent::Keep), std::errc::file_exists);
    EXPECT_EQ(folder.read("list"), "new");
    EXPECT_FALSE(copyReplacing(folder.file("list"), folder.file("copy"), WhenPresent::Keep));
    EXPECT_EQ(folder.read("copy"), "new");

    {
        const testing::FileSizeLimit full(2);
        EXPECT_EQ(writeReplacing(folder.file("list"), "longer"), std::errc::file_too_large);
        EXPECT_EQ(writeReplacing(folder.file("made"), "longer", WhenPresent::Keep), std::errc::file_too_large);
    }
    EXPECT_EQ(folder.read("list"), "new");
    EXPECT_FALSE(fs::exists(folder.file("made")));
    EXPECT_EQ(entries(folder), 2u) << "no temporary file is left";
}

} // namespace
} // namespace calvex::services
