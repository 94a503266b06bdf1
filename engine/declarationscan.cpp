#include "engine/declarationscan.h"

#include "engine/asciicase.h"
#include "engine/bytescan.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
#if defined(__SSE2__)
    const __m128i letters = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)), _mm_set1_epi8(0x20));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 1));
    const __m128i letter =
        _mm_or_si128(_mm_cmpeq_epi8(letters, _mm_set1_epi8('b')), _mm_cmpeq_epi8(letters, _mm_set1_epi8('n')));
    return static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_and_si128(letter, _mm_cmpeq_epi8(next, _mm_set1_epi8(' ')))));
#else
    std::uint32_t found = 0;
    for (int k = 0; k < 16; ++k) {
        if ((foldedIs(p[k], 'b') || foldedIs(p[k], 'n')) && p[k + 1] == ' ')
            found |= 1u << k;
    }
    return found;
#endif
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
