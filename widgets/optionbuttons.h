#pragma once
// Option buttons whose handlers follow the checked button, however it came to be checked: a
// click, the arrow keys, a program's setChecked or an accessibility tool's toggle. A handler
// that followed clicks only would leave the window computing with one equation while it shows
// another checked.

#include <cstddef>
#include <functional>

class QButtonGroup;

namespace calvex::widgets {

// Calls `handler` with the id of each button of `group` that becomes checked.
void onOptionChecked(QButtonGroup& group, std::function<void(int id)> handler);

// One handler a button: the button with id k (1..N) of `group` runs handlers[k - 1] of `window`.
template <class Window, std::size_t N>
void onOptionChecked(QButtonGroup& group, Window& window, void (Window::*const (&handlers)[N])())
{
    onOptionChecked(group, [&window, &handlers](int id) {
        if (id >= 1 && id <= static_cast<int>(N))
            (window.*handlers[id - 1])();
    });
}

} // namespace calvex::widgets
