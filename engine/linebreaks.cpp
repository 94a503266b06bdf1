#include "engine/linebreaks.h"

#include "engine/bytescan.h"
#include "platform/hugepages.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorbel {

std::string normaliseLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    adviseHugePages(out.data(), out.capacity());
    out.assign(text);
    normaliseLineBreaksInPlace(out);
    return out;
}

void normaliseLineBreaksInPlace(std::string &text)
{
    std::size_t lone = 0;
    scanBytes(text, '\r', '\n', [&](std::size_t i) {
        if (text[i] == '\r' ? i + 1 == text.size() || text[i + 1] != '\n' : i == 0 || text[i - 1] != '\r')
            ++lone;
        return true;
    });
    if (lone == 0)
        return;
    // From the back: the bytes before r are still as they were, the bytes
    // from w on are final, and w - r is the number of lone breaks before r.
    std::size_t r = text.size();
    text.resize(r + lone);
    char *const d = text.data();
    std::size_t w = text.size();
    while (w > r) {
        if (r >= 16) {
            // A block without breaks moves as a whole. A block with some
            // moves its bytes after the last break the same way, when its
            // 16 bytes land where nothing unread lies; the break follows.
            char block[16];
            std::memcpy(block, d + r - 16, 16);
            const std::uint32_t breaks = bytesIn(block, '\r', '\n');
            if (breaks == 0 || w - r >= 16) {
                std::memcpy(d + w - 16, block, 16);
                const std::size_t after = breaks == 0 ? 16 : 15 - static_cast<std::size_t>(std::bit_width(breaks) - 1);
                r -= after;
                w -= after;
                if (breaks == 0)
                    continue;
            }
        }
        const char c = d[--r];
        if (c == '\n') {
            d[--w] = '\n';
            if (r > 0 && d[r - 1] == '\r')
                --r;
            d[--w] = '\r';
        } else if (c == '\r') {
            // An LF after it would have taken it with itself: a lone CR.
            d[--w] = '\n';
            d[--w] = '\r';
        } else {
            d[--w] = c;
        }
    }
}

} // namespace quorbel
