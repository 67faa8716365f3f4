#include "tests/support/failingread.h"

#include <cstdlib>

#include <dlfcn.h>

namespace calvex::testing {

FailingRead::FailingRead(const std::filesystem::path& file)
{
    // As the descriptor's link in /proc names it.
    ::setenv("CALVEX_FAILING_READ", std::filesystem::weakly_canonical(file).c_str(), 1);
}

FailingRead::~FailingRead() { ::unsetenv("CALVEX_FAILING_READ"); }

bool FailingRead::available() { return ::dlsym(RTLD_DEFAULT, "calvexNfsRules") != nullptr; }

} // namespace calvex::testing
