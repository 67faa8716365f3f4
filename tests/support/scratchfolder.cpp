#include "tests/support/scratchfolder.h"

#include "services/programfolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace calvex::testing {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const fs::path& base)
{
    static std::atomic<int> counter{0};
    m_path = base /
             ("calvex-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_path);
    fs::create_directories(m_path);
    m_previous = services::programFolder();
    services::setProgramFolder(m_path);
}

ScratchFolder::~ScratchFolder()
{
    services::setProgramFolder(m_previous);
    std::error_code error;
    fs::remove_all(m_path, error);
}

fs::path ScratchFolder::memoryBase()
{
    std::error_code error;
    return ::access("/dev/shm", W_OK) == 0 && fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm")
                                                                                   : fs::temp_directory_path();
}

fs::path ScratchFolder::builtProgramFolder()
{
    if (const char* folder = std::getenv("CALVEX_PROGRAM_FILES"); folder && *folder)
        return folder;
    ADD_FAILURE() << "CALVEX_PROGRAM_FILES names no folder: ctest sets it to the build's program folder";
    return {};
}

void ScratchFolder::copyProgramFile(const std::string& name) const
{
    const fs::path source = builtProgramFolder() / name;
    ASSERT_TRUE(fs::exists(source)) << source << " is not in the built program folder";
    fs::copy_file(source, m_path / name, fs::copy_options::overwrite_existing);
}

void ScratchFolder::write(const std::string& name, const std::string& content) const
{
    std::ofstream out(m_path / name, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string ScratchFolder::read(const std::string& name) const
{
    std::ifstream in(m_path / name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace calvex::testing
