#include "engine/keywordlist.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quorbel {
namespace {

unsigned char foldCase(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

std::uint64_t foldedHash(std::string_view s)
{
    std::uint64_t h = 14695981039346656037ull; // FNV-1a over the folded bytes
    for (const char c : s)
        h = (h ^ foldCase(static_cast<unsigned char>(c))) * 1099511628211ull;
    return h;
}

bool foldedEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Every occurrence of "*" + word + "*" runs from one asterisk of the list to
// a later one, so the words that match are exactly the texts between any two
// asterisks: about eight thousand views into the list, kept in an
// open-addressing table with their hashes (the words are checked once per
// word of every line, so a lookup must cost one hash and about one compare).
// A word without an asterisk can only match one entry, so those words (all
// but a few) are looked up in a table of the single entries that stays in
// the processor's nearest cache.
class Matches {
public:
    // singleEntries: only the texts between neighbouring asterisks.
    explicit Matches(bool singleEntries)
    {
        std::vector<std::size_t> stars;
        for (std::size_t i = 0; i < kKeyWordList.size(); ++i) {
            if (kKeyWordList[i] == '*')
                stars.push_back(i);
        }
        const std::size_t count = singleEntries ? stars.size() : stars.size() * stars.size() / 2;
        std::size_t size = 1;
        while (size < (singleEntries ? 4 : 2) * count) // a quarter, or half, full at most
            size *= 2;
        m_slots.resize(size);
        for (std::size_t a = 0; a < stars.size(); ++a) {
            const std::size_t last = singleEntries ? std::min(a + 1, stars.size() - 1) : stars.size() - 1;
            for (std::size_t b = a + 1; b <= last; ++b)
                insert(kKeyWordList.substr(stars[a] + 1, stars[b] - stars[a] - 1));
        }
    }

    bool contains(std::string_view word) const
    {
        const std::uint64_t hash = foldedHash(word);
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot &slot = m_slots[i];
            if (slot.word.data() == nullptr)
                return false;
            if (slot.hash == hash && foldedEqual(slot.word, word))
                return true;
        }
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::string_view word; // null data marks an empty slot
    };

    std::size_t mask() const { return m_slots.size() - 1; }

    void insert(std::string_view word)
    {
        const std::uint64_t hash = foldedHash(word);
        std::size_t i = hash & mask();
        for (; m_slots[i].word.data() != nullptr; i = (i + 1) & mask()) {
            if (m_slots[i].hash == hash && foldedEqual(m_slots[i].word, word))
                return;
        }
        m_slots[i] = {hash, word};
    }

    std::vector<Slot> m_slots;
};

} // namespace

bool inKeyWordList(std::string_view word)
{
    static const Matches entries(true);
    if (word.empty() || word.size() > kKeyWordList.size())
        return false;
    if (word.find('*') == std::string_view::npos)
        return entries.contains(word);
    // Built on the first word with an asterisk only: hashing its eight
    // thousand spans costs milliseconds that a short conversion (one
    // command-line run) would otherwise pay at its first keyword test.
    static const Matches spans(false);
    return spans.contains(word);
}

} // namespace quorbel
