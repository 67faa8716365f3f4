#pragma once
// A scratch program folder for one test: created empty, made the program folder, removed
// afterwards. Files of the built program folder (templates, help pages, the database) are
// copied in on request.

#include <filesystem>
#include <string>

namespace calvex::testing {

class ScratchFolder {
public:
    // Under `base`: the system's temporary folder, or a memory file system for tests that save
    // thousands of times, where a flush to disk would cost most of the run.
    explicit ScratchFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path());
    // A folder in memory where the system has one, else the temporary folder.
    static std::filesystem::path memoryBase();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& name) const { return m_path / name; }

    // Copies `name` from the built program folder.
    void copyProgramFile(const std::string& name) const;
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;

    // The built program folder, where the build puts templates, help pages and the database,
    // as ctest names it in CALVEX_PROGRAM_FILES (the tests are built elsewhere).
    static std::filesystem::path builtProgramFolder();

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

} // namespace calvex::testing
