#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorbel {

// ASCII letter case, the only case the system folds: keys, keywords and
// declarations compare A to Z with a to z and every other byte as it is
// (bytes of UTF-8 characters, 0x80 and above, never change).

constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

constexpr char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

// text with its ASCII upper case letters made lower case.
inline std::string foldAsciiCase(std::string_view text)
{
    std::string folded(text);
    for (char &c : folded)
        c = asciiLower(c);
    return folded;
}

// text with its ASCII lower case letters made upper case.
inline std::string upperAsciiCase(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper)
        c = asciiUpper(c);
    return upper;
}

// Whether a and b are equal with ASCII letters compared without regard to
// case.
constexpr bool equalsAsciiCaseBlind(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// Whether text starts with prefix, ASCII letters compared without regard to
// case.
constexpr bool startsWithAsciiCaseBlind(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsAsciiCaseBlind(text.substr(0, prefix.size()), prefix);
}

} // namespace quorbel
