#pragma once
// The shell's handlers that open or close windows end silently at their first failure; what
// they already did stays done.

#include <utility>

namespace calvex::shell {

template <class Handler>
void runTrapped(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
    }
}

} // namespace calvex::shell
