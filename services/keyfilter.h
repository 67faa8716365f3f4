#pragma once
// Key filters of the number boxes: which typed character a box lets through, given the text
// it already holds. The filters look at characters, not at the number the text makes, so a
// filter can let a text through that reads back as less than it shows ("5-" reads 5).

#include <string_view>

namespace calvex::services {

enum class KeyFilter {
    // Digits, Backspace, and a decimal point while the box holds none.
    UnsignedNumber,
    // The same, and the minus sign at any position, any number of times.
    MinusAnywhere,
};

constexpr char backspaceKey = '\b';

// True when `key` typed into a box that holds `text` passes the filter. The decimal-point
// test looks at the whole text, a selected point included.
bool keyAccepted(KeyFilter filter, std::string_view text, char key);

} // namespace calvex::services
