#pragma once
// Ends the test program with SIGALRM where what runs within the object's life waits longer than
// `seconds` (a read that blocks for good), so that the run fails instead of waiting for ever.

#include <unistd.h>

namespace calvex::testing {

class HangGuard {
public:
    explicit HangGuard(unsigned seconds = 10) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

} // namespace calvex::testing
