#pragma once
// A full disk without root or a mount: while it lives, no file this process writes may grow past
// `bytes`. SIGXFSZ is ignored meanwhile, so a write past the limit fails with EFBIG as a write to
// a full disk fails, instead of ending the test. Both are restored afterwards.

#include <csignal>
#include <sys/resource.h>

namespace calvex::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previousLimit{};
    struct sigaction m_previousAction {};
};

} // namespace calvex::testing
