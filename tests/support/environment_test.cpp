// The environment ctest gives every test, discovered one by one or run whole on a display of its
// own: Qt's private runtime folder, and the built program folder now that the test programs are
// built elsewhere.

#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace calvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(TestEnvironment, EveryTestGetsItsRuntimeFolderAndTheProgramFiles)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(runtime, nullptr);
    EXPECT_TRUE(fs::is_directory(runtime)) << runtime;
    const fs::path programFiles = ScratchFolder::builtProgramFolder();
    EXPECT_TRUE(fs::exists(programFiles / "properties.mdb")) << programFiles;
    EXPECT_TRUE(fs::exists(programFiles / "calvex")) << programFiles;
    std::error_code error;
    EXPECT_NE(fs::read_symlink("/proc/self/exe", error).parent_path(), programFiles)
        << "test programs are kept out of the program folder";
}

} // namespace
} // namespace calvex::testing
