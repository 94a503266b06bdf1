#include "engine/utf8.h"

#include "engine/blockmasks.h"

#include <cstdint>
#include <cstring>

namespace quorbel {

bool isValidUtf8(std::string_view bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, p + i, 8);
            if (eight & 0x8080808080808080ull)
                break;
            i += 8;
        }
        if (i == n)
            break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0)
                lo = 0xA0; // overlong
            if (c == 0xED)
                hi = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0)
                lo = 0x90;
            if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (i + len > n || p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (std::size_t k = 2; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += len;
    }
    return true;
}

bool hasNonAscii(std::string_view text)
{
    // Pages of many megabytes are asked: 4 KB at a time, eight bytes to a
    // word (sixteen to a vector), or-ed together in a loop without an early
    // exit.
    constexpr std::size_t kChunk = 4096;
    std::size_t start = 0;
    for (; start + kChunk <= text.size(); start += kChunk) {
#if QUORBEL_VECTOR_MASKS
        __m128i any = _mm_setzero_si128();
        for (std::size_t i = start; i < start + kChunk; i += 16)
            any = _mm_or_si128(any, _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + i)));
        if (_mm_movemask_epi8(any) != 0)
            return true;
#else
        constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
        std::uint64_t any = 0;
        for (std::size_t i = start; i < start + kChunk; i += 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, text.data() + i, 8);
            any |= eight;
        }
        if (any & kHighBits)
            return true;
#endif
    }
    for (; start < text.size(); ++start) {
        if (static_cast<unsigned char>(text[start]) >= 0x80)
            return true;
    }
    return false;
}

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return bytes;
}

} // namespace quorbel
