#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace quorbel {

// The converter's keywords, each between asterisks, in their stored order
// ("Alias" and "Input" stand twice; "Event" is not here).
inline constexpr std::string_view kKeyWordList =
    "*#Const*#Else*#ElseIf*#End*#If*Alias*Alias*And*As*Base*Binary*Boolean*Byte*ByVal*Call*Case*CBool*CByte"
    "*CCur*CDate*CDbl*CDec*CInt*CLng*Close*Compare*Const*CSng*CStr*Currency*CVar*CVErr*Debug*Decimal*Declare"
    "*DefBool*DefByte*DefCur*DefDate*DefDbl*DefDec*DefInt*DefLng*DefObj*DefSng*DefStr*DefVar*Dim*Do*Double"
    "*Each*Else*ElseIf*End*Enum*Eqv*Erase*Error*Exit*Explicit*False*For*Function*Get*Global*GoSub*GoTo*If*Imp"
    "*In*Input*Input*Integer*Is*LBound*Let*Lib*Like*Line*Lock*Long*Loop*LSet*Name*New*Next*Not*Object*On*Open"
    "*Option*Optional*Or*Output*Print*Private*Property*Public*Put*Random*Read*ReDim*Resume*Return*RSet*Seek"
    "*Select*Set*Single*Spc*Static*String*Stop*Sub*Tab*Then*True*Type*UBound*Unlock*Variant*Wend*While*With"
    "*Xor*Nothing*To*";

// Whether "*" + word + "*" occurs in kKeyWordList, ASCII letters compared
// without regard to case. A word holding asterisks matches when it spans
// several entries ("dim*do"); an empty word never matches. A word without
// an asterisk costs a few operations, whatever its length; one with an
// asterisk a search of the list. Always inline: the word scan asks for
// every word, and a call would cost a third of the test.
[[gnu::always_inline]] inline bool inKeyWordList(std::string_view word);

// The search for a word holding an asterisk.
bool keyWordListSpans(std::string_view word);

// inKeyWordList for a word known to hold neither an asterisk nor a zero
// byte (the words of most lines): only a word of one to eight bytes can be
// an entry, and no other can match.
[[gnu::always_inline]] inline bool inKeyWordListWithoutStars(std::string_view word);

namespace keywords {

// The bytes of a word of one to eight bytes in one number, first byte
// lowest, unused bytes zero: two overlapping loads, no loop.
inline std::uint64_t packed(const char *p, std::size_t size)
{
    if (size >= 4) {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + size - 4, 4);
        return low | static_cast<std::uint64_t>(high) << (8 * (size - 4));
    }
    const auto byte = [p](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])); };
    return byte(0) | byte(size / 2) << (8 * (size / 2)) | byte(size - 1) << (8 * (size - 1));
}

// Whether any of the eight bytes of x is c.
constexpr bool hasByte(std::uint64_t x, unsigned char c)
{
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t v = x ^ (c * ones);
    return ((v - ones) & ~v & (0x80 * ones)) != 0;
}

// ASCII upper case letters of all eight bytes made lower case at once.
constexpr std::uint64_t folded(std::uint64_t x)
{
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t low7 = x & (0x7F * ones);
    const std::uint64_t atLeastA = low7 + (0x80 - 'A') * ones;   // top bit: byte >= 'A'
    const std::uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * ones; // top bit: byte > 'Z'
    const std::uint64_t upper = atLeastA & ~aboveZ & ~x & (0x80 * ones);
    return x | upper >> 2; // 0x80 >> 2 is the 0x20 that makes a letter lower case
}

// Whether a packed word of size bytes holds a zero byte (no entry does).
constexpr bool hasZeroByte(std::uint64_t x, std::size_t size)
{
    const std::uint64_t padding = size >= 8 ? 0 : ~0ull << (8 * size);
    return hasByte(x | padding, 0);
}

// The single entries of the list (no word without an asterisk can match
// more than one), folded and packed into numbers, in a table without
// collisions: the compiler picks a multiplier under which every entry has a
// slot of its own. The longest entry has eight bytes, so a longer word is no
// keyword without a look, and the rest cost one multiply, one load and one
// compare. The table (8 KB) stays in the processor's nearest cache.
class Entries {
public:
    static constexpr std::size_t kMaxSize = 8;

    constexpr Entries()
    {
        std::uint64_t keys[kEntries] = {};
        std::size_t count = 0;
        std::size_t start = 1;
        for (std::size_t star = kKeyWordList.find('*', start); star != std::string_view::npos;
             start = star + 1, star = kKeyWordList.find('*', start)) {
            const std::string_view entry = kKeyWordList.substr(start, star - start);
            if (entry.size() > kMaxSize || entry.empty() || entry.find('\0') != std::string_view::npos ||
                count == kEntries)
                throw std::logic_error("keyword entries must have one to eight bytes, none zero");
            std::uint64_t key = 0;
            for (std::size_t k = 0; k < entry.size(); ++k)
                key |= static_cast<std::uint64_t>(static_cast<unsigned char>(entry[k])) << (8 * k);
            keys[count++] = folded(key);
        }
        // Multipliers from a fixed sequence (splitmix64); the table is built
        // at compile time, after a few thousand tries.
        std::uint64_t seed = 0;
        do {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            m_multiplier = (z ^ (z >> 31)) | 1;
        } while (!fill(keys, count));
    }

    // Whether a word of one to eight bytes, none of them an asterisk, packed
    // by packed(), is an entry.
    bool contains(std::uint64_t packedWord, std::size_t size) const
    {
        const std::uint64_t key = folded(packedWord);
        // Entries hold no zero byte, so equal keys mean equal sizes, and an
        // empty slot (0) matches no word without a zero byte either.
        return m_slots[slotOf(key)] == key && !hasZeroByte(packedWord, size);
    }

    // contains for a word known to hold no zero byte.
    bool containsWithoutZero(std::uint64_t packedWord) const
    {
        const std::uint64_t key = folded(packedWord);
        return m_slots[slotOf(key)] == key;
    }

private:
    static constexpr std::size_t kEntries = 127;
    static constexpr int kSlotBits = 10;

    constexpr std::size_t slotOf(std::uint64_t key) const
    {
        return static_cast<std::size_t>((key * m_multiplier) >> (64 - kSlotBits));
    }

    // Puts every key in its slot; on a collision empties the slots it filled
    // and returns false.
    constexpr bool fill(const std::uint64_t *keys, std::size_t count)
    {
        for (std::size_t k = 0; k < count; ++k) {
            std::uint64_t &slot = m_slots[slotOf(keys[k])];
            if (slot != 0 && slot != keys[k]) {
                for (std::size_t undo = 0; undo < k; ++undo)
                    m_slots[slotOf(keys[undo])] = 0;
                return false;
            }
            slot = keys[k];
        }
        return true;
    }

    std::uint64_t m_multiplier = 1;
    std::uint64_t m_slots[std::size_t{1} << kSlotBits] = {};
};

inline constexpr Entries kEntries;

} // namespace keywords

inline bool inKeyWordList(std::string_view word)
{
    if (word.empty())
        return false;
    if (word.size() <= keywords::Entries::kMaxSize) {
        const std::uint64_t key = keywords::packed(word.data(), word.size());
        if (!keywords::hasByte(key, '*'))
            return keywords::kEntries.contains(key, word.size());
    } else if (word.size() > kKeyWordList.size()) {
        return false;
    } else if (word.size() <= 2 * keywords::Entries::kMaxSize) {
        // Most longer words: two overlapping eight-byte loads instead of a
        // search call.
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::memcpy(&low, word.data(), 8);
        std::memcpy(&high, word.data() + word.size() - 8, 8);
        if (!keywords::hasByte(low, '*') && !keywords::hasByte(high, '*'))
            return false;
    } else if (word.find('*') == std::string_view::npos) {
        return false;
    }
    return keyWordListSpans(word);
}

inline bool inKeyWordListWithoutStars(std::string_view word)
{
    return !word.empty() && word.size() <= keywords::Entries::kMaxSize &&
           keywords::kEntries.containsWithoutZero(keywords::packed(word.data(), word.size()));
}

} // namespace quorbel
