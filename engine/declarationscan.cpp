#include "engine/declarationscan.h"

#include "engine/asciicase.h"
#include "engine/bytescan.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quorbel {
namespace {

bool foldedIs(char c, char lower)
{
    return asciiLower(c) == lower;
}

// Whether "sub " or "ction " (letters in any case) starts at i.
bool wordAt(std::string_view text, std::size_t i)
{
    const std::size_t left = text.size() - i;
    if (left >= 4 && foldedIs(text[i], 's') && foldedIs(text[i + 1], 'u') && foldedIs(text[i + 2], 'b') &&
        text[i + 3] == ' ')
        return true;
    return left >= 6 && foldedIs(text[i], 'c') && foldedIs(text[i + 1], 't') && foldedIs(text[i + 2], 'i') &&
           foldedIs(text[i + 3], 'o') && foldedIs(text[i + 4], 'n') && text[i + 5] == ' ';
}

// Bit k is set when p[k] is a "b" or an "n" in any case and p[k + 1] a
// blank: where "sub " and "ction " end, and few other places. Reads p[0, 17).
std::uint32_t wordEndsIn(const char *p)
{
    return masks::letterBeforeBlank(p);
}

// The start of the line holding i: just after the last line break (CR or
// LF) before it, at or after from (a line start).
std::size_t lineStart(std::string_view text, std::size_t from, std::size_t i)
{
    std::size_t start = from;
    for (const int c : {'\r', '\n'}) {
        if (const void *found = memrchr(text.data() + from, c, i - from))
            start = std::max(start, static_cast<std::size_t>(static_cast<const char *>(found) - text.data()) + 1);
    }
    return start;
}

} // namespace

void forEachDeclaringLine(std::string_view text, const std::function<void(std::string_view line)> &f)
{
    std::size_t done = 0; // lines before this are handed on
    const auto found = [&](std::size_t i) {
        if (i < done)
            return;
        const std::size_t start = lineStart(text, done, i);
        const std::size_t end = findLineBreak(text, i);
        f(text.substr(start, end - start));
        done = end;
    };
    // The letter before the blank: "sub " starts two bytes before it,
    // "ction " four.
    const auto ending = [&](std::size_t k) {
        if (k >= 2 && wordAt(text, k - 2))
            found(k - 2);
        else if (k >= 4 && wordAt(text, k - 4))
            found(k - 4);
    };
    const std::size_t n = text.size();
    std::size_t block = 0;
    for (; block + 17 <= n; block += 16) {
        for (std::uint32_t ends = wordEndsIn(text.data() + block); ends != 0; ends &= ends - 1)
            ending(block + static_cast<std::size_t>(std::countr_zero(ends)));
    }
    for (; block < n; ++block)
        ending(block);
}

} // namespace quorbel
