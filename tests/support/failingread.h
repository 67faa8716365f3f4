#pragma once
// Reads of one file that fail as they do on a network folder (ESTALE), through the rules that
// tests/support/nfsrules.cpp gives a test program loaded with it; for the object's life.

#include <filesystem>

namespace calvex::testing {

class FailingRead {
public:
    explicit FailingRead(const std::filesystem::path& file);
    ~FailingRead();
    FailingRead(const FailingRead&) = delete;
    FailingRead& operator=(const FailingRead&) = delete;

    // Whether this run has the rules loaded (the tests' second run, *_nfs).
    static bool available();
};

} // namespace calvex::testing
