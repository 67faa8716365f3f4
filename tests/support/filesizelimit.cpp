#include "tests/support/filesizelimit.h"

#include <gtest/gtest.h>

namespace calvex::testing {

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    EXPECT_EQ(::sigaction(SIGXFSZ, &ignore, &m_previousAction), 0);
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &m_previousLimit), 0);
    const rlimit lowered{bytes, m_previousLimit.rlim_max};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &m_previousLimit);
    ::sigaction(SIGXFSZ, &m_previousAction, nullptr);
}

} // namespace calvex::testing
