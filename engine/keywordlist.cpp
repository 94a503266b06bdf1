#include "engine/keywordlist.h"

#include "engine/asciicase.h"

namespace quorbel {
// Every occurrence of "*" + word + "*" starts at an asterisk of the list, so
// only the places after one are compared. Only words holding an asterisk
// ("a*b", a product written without blanks) come here; they are few, and a
// table of every run of entries would cost more to build than searching for
// all of them.
bool keyWordListSpans(std::string_view word)
{
    // A word that spans entries begins with a whole entry: most products
    // ("a*b") fail this test of the table and skip the search.
    const std::string_view first = word.substr(0, word.find('*'));
    if (first.empty() || first.size() > keywords::Entries::kMaxSize ||
        !keywords::kEntries.contains(keywords::packed(first.data(), first.size()), first.size()))
        return false;
    for (std::size_t star = 0; star != std::string_view::npos; star = kKeyWordList.find('*', star + 1)) {
        const std::size_t end = star + 1 + word.size();
        if (end >= kKeyWordList.size())
            return false;
        if (kKeyWordList[end] == '*' && equalsAsciiCaseBlind(kKeyWordList.substr(star + 1, word.size()), word))
            return true;
    }
    return false;
}

} // namespace quorbel
