#pragma once
// Text as DATABASE.UFC stores it: one byte per character in the Windows-1252 code page.
// In memory the program holds UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace calvex::unifac {

// The bytes of `utf8`, or nothing when a character has no byte in the code page (or the text is
// not UTF-8). The five bytes the code page leaves undefined stand for the control characters
// of the same number, so that whatever a file holds comes back unchanged.
std::optional<std::string> toWindows1252(std::string_view utf8);
std::string fromWindows1252(std::string_view bytes);

// True when UTF-8 text has no character but white space of any kind, as the widgets count it:
// the blank, the controls 9-13 and U+0085, and Unicode's space, line and paragraph separators
// (the no-break space a paste from a web page brings among them). Empty text is all white space.
bool isAllWhiteSpace(std::string_view utf8);

// The number of characters of UTF-8 text.
std::size_t characterCount(std::string_view utf8);
// The text cut to `width` characters or padded with blanks on the right to that width.
std::string fitToWidth(std::string_view utf8, std::size_t width);

} // namespace calvex::unifac
