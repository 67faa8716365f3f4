#pragma once
// Key filters of the number boxes: which typed character a box lets through, given the text
// it already holds. The filters look at characters, not at the number the text makes, so a
// filter can let a text through that reads back as less than it shows ("5-" reads 5).
// Digits and Backspace always pass; the boxes differ in the decimal point and the minus sign.

#include <string_view>

namespace calvex::services {

struct KeyFilter {
    enum class Minus {
        Refused,
        IntoEmptyBox, // only as the first character
        Anywhere,     // at any position, any number of times
    };

    bool onePoint; // a decimal point only while the box holds none
    Minus minus;
    // A fraction typed as a decimal point and then digits: the point only into the empty box,
    // and only digits once it holds text.
    bool pointFirst = false;

    // The boxes the program has.
    static const KeyFilter UnsignedNumber;
    static const KeyFilter MinusAnywhere;
    static const KeyFilter SignedNumber;
    static const KeyFilter UnsignedAnyPoints;
    static const KeyFilter SignedAnyPoints;
    static const KeyFilter Fraction;
};

inline constexpr KeyFilter KeyFilter::UnsignedNumber{true, Minus::Refused};
inline constexpr KeyFilter KeyFilter::MinusAnywhere{true, Minus::Anywhere};
inline constexpr KeyFilter KeyFilter::SignedNumber{true, Minus::IntoEmptyBox};
inline constexpr KeyFilter KeyFilter::UnsignedAnyPoints{false, Minus::Refused};
inline constexpr KeyFilter KeyFilter::SignedAnyPoints{false, Minus::IntoEmptyBox};
inline constexpr KeyFilter KeyFilter::Fraction{true, Minus::Refused, true};

constexpr char backspaceKey = '\b';

// True when `key` typed into a box that holds `text` passes the filter. The decimal-point
// test looks at the whole text, a selected point included.
bool keyAccepted(KeyFilter filter, std::string_view text, char key);

} // namespace calvex::services
