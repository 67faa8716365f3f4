#include "unifac/windows1252.h"

#include <array>

namespace calvex::unifac {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next code point of `text` from `pos`, or nothing for a malformed sequence.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || pos + extra > text.size())
        return std::nullopt;
    char32_t c = lead & (0x3F >> extra);
    while (extra-- > 0) {
        const auto next = static_cast<unsigned char>(text[pos++]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    return c;
}

std::optional<char> byteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < highControls.size(); ++i)
        if (highControls[i] == c)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// Latin-1's blanks, then Unicode's space, line and paragraph separators beyond it.
bool isWhiteSpace(char32_t c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

} // namespace

bool isAllWhiteSpace(std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto c = nextCodePoint(utf8, pos);
        if (!c || !isWhiteSpace(*c))
            return false;
    }
    return true;
}

std::optional<std::string> toWindows1252(std::string_view utf8)
{
    std::string bytes;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto c = nextCodePoint(utf8, pos);
        const auto byte = c ? byteOf(*c) : std::nullopt;
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

std::string fromWindows1252(std::string_view bytes)
{
    std::string utf8;
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        appendUtf8(utf8, byte >= 0x80 && byte < 0xA0 ? highControls[byte - 0x80] : char32_t{byte});
    }
    return utf8;
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char b : utf8)
        if ((static_cast<unsigned char>(b) & 0xC0) != 0x80)
            ++count;
    return count;
}

std::string fitToWidth(std::string_view utf8, std::size_t width)
{
    std::string out;
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
        const bool starts = (static_cast<unsigned char>(utf8[pos]) & 0xC0) != 0x80;
        if (starts && count++ == width)
            break;
        out += utf8[pos];
    }
    if (count < width)
        out.append(width - count, ' ');
    return out;
}

} // namespace calvex::unifac
