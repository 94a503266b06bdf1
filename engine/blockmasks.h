#pragma once

#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#define QUORBEL_VECTOR_MASKS 1
#else
#define QUORBEL_VECTOR_MASKS 0
#endif

// The byte tests the scans make 16 bytes at a time: bit k of a mask stands
// for byte k of the block. Each test is written twice, one byte at a time
// (always built, so that it is tested everywhere) and with SSE2 vectors where
// the processor has them; the unqualified names pick the vector one when it
// is there.
namespace quorbel::masks {

namespace scalar {

// p[k] is the byte a or the byte b.
inline std::uint32_t eitherByte(const char *p, char a, char b)
{
    std::uint32_t found = 0;
    for (int k = 0; k < 16; ++k) {
        if (p[k] == a || p[k] == b)
            found |= 1u << k;
    }
    return found;
}

// p[k] is a byte the word scan stops at: . , ( ) blank / \ [ ] CR " :
inline std::uint32_t wordStops(const char *p)
{
    std::uint32_t mask = 0;
    for (int k = 0; k < 16; ++k) {
        if (std::string_view(".,() /\\[]\r\":").find(p[k]) != std::string_view::npos)
            mask |= 1u << k;
    }
    return mask;
}

// p[k] is a "b" or an "n" in either case and p[k + 1] a blank. Reads
// p[0, 17).
inline std::uint32_t letterBeforeBlank(const char *p)
{
    std::uint32_t found = 0;
    for (int k = 0; k < 16; ++k) {
        const char c = p[k];
        if ((c == 'b' || c == 'B' || c == 'n' || c == 'N') && p[k + 1] == ' ')
            found |= 1u << k;
    }
    return found;
}

// What a line holds, gathered 16 bytes at a time: the positions of its
// quotes and apostrophes block by block, whether any block held a "(", a
// "<" or "&", an asterisk or a zero byte.
class LineScan {
public:
    // The double quotes and apostrophes among the 16 bytes at p.
    std::uint32_t next(const char *p)
    {
        m_paren |= eitherByte(p, '(', '(');
        m_escape |= eitherByte(p, '<', '&');
        m_starOrZero |= eitherByte(p, '*', '\0');
        return eitherByte(p, '"', '\'');
    }
    // next for the first count bytes at p (0 < count < 16); all 16 may be
    // read, those after them change nothing.
    std::uint32_t nextPart(const char *p, unsigned count)
    {
        const std::uint32_t part = (1u << count) - 1;
        m_paren |= eitherByte(p, '(', '(') & part;
        m_escape |= eitherByte(p, '<', '&') & part;
        m_starOrZero |= eitherByte(p, '*', '\0') & part;
        return eitherByte(p, '"', '\'') & part;
    }
    bool paren() const { return m_paren != 0; }
    bool escape() const { return m_escape != 0; }
    bool starOrZero() const { return m_starOrZero != 0; }

private:
    std::uint32_t m_paren = 0;
    std::uint32_t m_escape = 0;
    std::uint32_t m_starOrZero = 0;
};

} // namespace scalar

#if QUORBEL_VECTOR_MASKS
namespace vector {

inline std::uint32_t eitherByte(const char *p, char a, char b)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(a)), _mm_cmpeq_epi8(bytes, _mm_set1_epi8(b)))));
}

inline std::uint32_t wordStops(const char *p)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const auto is = [bytes](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    // Three pairs of stops differ only in their lowest bit ( ) . / \ ]:
    // with that bit set, one test finds both.
    const __m128i odd = _mm_or_si128(bytes, _mm_set1_epi8(1));
    const auto either = [odd](char c) { return _mm_cmpeq_epi8(odd, _mm_set1_epi8(c)); };
    const __m128i found = _mm_or_si128(
        _mm_or_si128(_mm_or_si128(either(')'), either('/')), _mm_or_si128(either(']'), is(','))),
        _mm_or_si128(_mm_or_si128(_mm_or_si128(is(' '), is('[')), _mm_or_si128(is('\r'), is('"'))), is(':')));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(found));
}

inline std::uint32_t letterBeforeBlank(const char *p)
{
    // Or-ing 0x20 into a byte gives "b" or "n" only from that letter in
    // either case.
    const __m128i letters = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)), _mm_set1_epi8(0x20));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 1));
    const __m128i letter =
        _mm_or_si128(_mm_cmpeq_epi8(letters, _mm_set1_epi8('b')), _mm_cmpeq_epi8(letters, _mm_set1_epi8('n')));
    return static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_and_si128(letter, _mm_cmpeq_epi8(next, _mm_set1_epi8(' ')))));
}

// The findings other than quotes stay in vectors until asked for: one
// mask per block instead of four.
class LineScan {
public:
    std::uint32_t next(const char *p)
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const auto is = [bytes](char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
        m_paren = _mm_or_si128(m_paren, is('('));
        m_escape = _mm_or_si128(m_escape, _mm_or_si128(is('<'), is('&')));
        m_starOrZero = _mm_or_si128(m_starOrZero, _mm_or_si128(is('*'), is('\0')));
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(is('"'), is('\''))));
    }
    std::uint32_t nextPart(const char *p, unsigned count)
    {
        // The first count lanes set: 16 - count bytes into a row of 16
        // set bytes and 16 clear ones.
        static constexpr signed char kLanes[32] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        const __m128i part = _mm_loadu_si128(reinterpret_cast<const __m128i *>(kLanes + 16 - count));
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const auto is = [bytes, part](char c) { return _mm_and_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)), part); };
        m_paren = _mm_or_si128(m_paren, is('('));
        m_escape = _mm_or_si128(m_escape, _mm_or_si128(is('<'), is('&')));
        m_starOrZero = _mm_or_si128(m_starOrZero, _mm_or_si128(is('*'), is('\0')));
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(is('"'), is('\''))));
    }
    bool paren() const { return _mm_movemask_epi8(m_paren) != 0; }
    bool escape() const { return _mm_movemask_epi8(m_escape) != 0; }
    bool starOrZero() const { return _mm_movemask_epi8(m_starOrZero) != 0; }

private:
    __m128i m_paren = _mm_setzero_si128();
    __m128i m_escape = _mm_setzero_si128();
    __m128i m_starOrZero = _mm_setzero_si128();
};

} // namespace vector
namespace fastest = vector;
#else
namespace fastest = scalar;
#endif

using LineScan = fastest::LineScan;

inline std::uint32_t eitherByte(const char *p, char a, char b)
{
    return fastest::eitherByte(p, a, b);
}

inline std::uint32_t wordStops(const char *p)
{
    return fastest::wordStops(p);
}

inline std::uint32_t letterBeforeBlank(const char *p)
{
    return fastest::letterBeforeBlank(p);
}

} // namespace quorbel::masks
