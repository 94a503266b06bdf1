#pragma once

#include "engine/blockmasks.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quorbel {

// Copies n bytes from source to out, reading and writing only those: a word
// or a tag of a few bytes costs less copied in place than by a call to
// memcpy.
inline void copyBytes(char *out, const char *source, std::size_t n)
{
    if (n >= 8) {
        if (n > 32) {
            std::memcpy(out, source, n);
            return;
        }
        // Two (four) overlapping eight-byte moves cover up to 16 (32) bytes.
        std::uint64_t a = 0, b = 0, c = 0, d = 0;
        std::memcpy(&a, source, 8);
        std::memcpy(&d, source + n - 8, 8);
        if (n > 16) {
            std::memcpy(&b, source + 8, 8);
            std::memcpy(&c, source + n - 16, 8);
            std::memcpy(out + 8, &b, 8);
            std::memcpy(out + n - 16, &c, 8);
        }
        std::memcpy(out, &a, 8);
        std::memcpy(out + n - 8, &d, 8);
        return;
    }
    if (n >= 4) {
        std::uint32_t a = 0, b = 0;
        std::memcpy(&a, source, 4);
        std::memcpy(&b, source + n - 4, 4);
        std::memcpy(out, &a, 4);
        std::memcpy(out + n - 4, &b, 4);
        return;
    }
    if (n > 0) {
        out[0] = source[0];
        out[n / 2] = source[n / 2];
        out[n - 1] = source[n - 1];
    }
}

// Bit k is set when p[k] is the byte a or the byte b, for the 16 bytes at p.
inline std::uint32_t bytesIn(const char *p, char a, char b)
{
    return masks::eitherByte(p, a, b);
}

// Calls f(i) for every position i of text that holds the byte a or the byte
// b (the same byte twice looks for one), in order. Source lines are short,
// so a search per line costs more than the line: the text is looked at 16
// bytes at a time and only the bytes found are visited. f returns false to
// stop the scan.
template<typename F>
void scanBytes(std::string_view text, char a, char b, F f)
{
    const std::size_t n = text.size();
    for (std::size_t block = 0; block < n; block += 16) {
        std::uint32_t found;
        if (n - block >= 16) {
            found = bytesIn(text.data() + block, a, b);
        } else {
            // The last bytes, padded; what is found in the padding is cut
            // off.
            char tail[16] = {};
            copyBytes(tail, text.data() + block, n - block);
            found = bytesIn(tail, a, b) & ((1u << (n - block)) - 1);
        }
        for (; found != 0; found &= found - 1) {
            if (!f(block + static_cast<std::size_t>(std::countr_zero(found))))
                return;
        }
    }
}

// What the colouriser asks of every line before it writes it, from one
// look at each of its bytes.
struct LineBytes {
    // The first double quote or apostrophe (npos when none): a line without
    // a string literal before its comment needs no blanking.
    std::size_t firstQuoteOrApostrophe = std::string_view::npos;
    bool paren = false;  // a "(": without one the line declares nothing
    bool escape = false; // a "<" or "&": the line's text needs escaping
    // An asterisk or a zero byte: without them a word is a keyword only
    // when it is an entry of the list itself.
    bool starOrZero = false;
};

// readAhead tells that the 15 bytes after line may be read: its last bytes
// are then looked at in place (what follows them is left out), else they are
// copied out and padded.
[[gnu::always_inline]] inline LineBytes lookAt(std::string_view line, bool readAhead = false)
{
    LineBytes found;
    masks::LineScan scan;
    const std::size_t n = line.size();
    for (std::size_t block = 0; block < n; block += 16) {
        char tail[16];
        const char *p = line.data() + block;
        std::uint32_t quotes;
        if (n - block >= 16) {
            quotes = scan.next(p);
        } else if (readAhead) {
            quotes = scan.nextPart(p, static_cast<unsigned>(n - block));
        } else {
            // Padded with a byte that none of the tests finds.
            std::memset(tail, 1, sizeof tail);
            copyBytes(tail, p, n - block);
            quotes = scan.next(tail);
        }
        if (quotes != 0 && found.firstQuoteOrApostrophe == std::string_view::npos)
            found.firstQuoteOrApostrophe = block + static_cast<std::size_t>(std::countr_zero(quotes));
    }
    found.paren = scan.paren();
    found.escape = scan.escape();
    found.starOrZero = scan.starOrZero();
    return found;
}

// Whether text holds a "<" or an "&".
inline bool needsEscaping(std::string_view text)
{
    bool found = false;
    scanBytes(text, '<', '&', [&found](std::size_t) {
        found = true;
        return false;
    });
    return found;
}

// The position of the first CR or LF of text at or after from; text.size()
// when there is none.
inline std::size_t findLineBreak(std::string_view text, std::size_t from)
{
    std::size_t found = text.size();
    if (from < text.size()) {
        scanBytes(text.substr(from), '\r', '\n', [&](std::size_t i) {
            found = from + i;
            return false;
        });
    }
    return found;
}

} // namespace quorbel
