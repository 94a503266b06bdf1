#include "engine/keywordlist.h"

#include <unordered_set>
#include <vector>

namespace quorbel {
namespace {

unsigned char foldCase(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

struct FoldedHash {
    std::size_t operator()(std::string_view s) const noexcept
    {
        std::size_t h = 14695981039346656037ull; // FNV-1a
        for (const char c : s)
            h = (h ^ foldCase(static_cast<unsigned char>(c))) * 1099511628211ull;
        return h;
    }
};

struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i])))
                return false;
        }
        return true;
    }
};

using FoldedSet = std::unordered_set<std::string_view, FoldedHash, FoldedEqual>;

// Every occurrence of "*" + word + "*" runs from one asterisk of the list to
// a later one, so the words that match are exactly the texts between any two
// asterisks: about eight thousand views into the list.
FoldedSet buildMatches()
{
    std::vector<std::size_t> stars;
    for (std::size_t i = 0; i < kKeyWordList.size(); ++i) {
        if (kKeyWordList[i] == '*')
            stars.push_back(i);
    }
    FoldedSet matches;
    matches.reserve(stars.size() * stars.size() / 2);
    for (std::size_t a = 0; a < stars.size(); ++a) {
        for (std::size_t b = a + 1; b < stars.size(); ++b)
            matches.insert(kKeyWordList.substr(stars[a] + 1, stars[b] - stars[a] - 1));
    }
    return matches;
}

} // namespace

bool inKeyWordList(std::string_view word)
{
    static const FoldedSet matches = buildMatches();
    if (word.empty() || word.size() > kKeyWordList.size())
        return false;
    return matches.contains(word);
}

} // namespace quorbel
