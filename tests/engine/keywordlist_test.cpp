#include "engine/codeonly.h"
#include "engine/colouriser.h"
#include "engine/keywordlist.h"
#include "fuzz/checks/plainrules.h"

#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string_view>
#include <vector>

namespace quorbel {
namespace {

std::string lowered(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return out;
}

// The keyword test as plainly written: a search of the whole list.
bool naiveIsKeyWord(std::string_view word)
{
    return lowered(kKeyWordList).find(lowered("*" + std::string(word) + "*")) != std::string::npos;
}

TEST(KeyWordList, ListHoldsItsEntriesInOrder)
{
    EXPECT_TRUE(kKeyWordList.starts_with("*#Const*#Else*#ElseIf*#End*#If*Alias*"));
    EXPECT_TRUE(kKeyWordList.ends_with("*With*Xor*Nothing*To*"));
    EXPECT_EQ(std::count(kKeyWordList.begin(), kKeyWordList.end(), '*'), 128);

    // Every entry, in the order stored: the case of each letter counts, as
    // the code box gives a keyword in the list's own form.
    const std::vector<std::string_view> golden = {
        "#Const",  "#Else",    "#ElseIf",  "#End",    "#If",     "Alias",   "Alias",    "And",    "As",      "Base",
        "Binary",  "Boolean",  "Byte",     "ByVal",   "Call",    "Case",    "CBool",    "CByte",  "CCur",    "CDate",
        "CDbl",    "CDec",     "CInt",     "CLng",    "Close",   "Compare", "Const",    "CSng",   "CStr",    "Currency",
        "CVar",    "CVErr",    "Debug",    "Decimal", "Declare", "DefBool", "DefByte",  "DefCur", "DefDate", "DefDbl",
        "DefDec",  "DefInt",   "DefLng",   "DefObj",  "DefSng",  "DefStr",  "DefVar",   "Dim",    "Do",      "Double",
        "Each",    "Else",     "ElseIf",   "End",     "Enum",    "Eqv",     "Erase",    "Error",  "Exit",    "Explicit",
        "False",   "For",      "Function", "Get",     "Global",  "GoSub",   "GoTo",     "If",     "Imp",     "In",
        "Input",   "Input",    "Integer",  "Is",      "LBound",  "Let",     "Lib",      "Like",   "Line",    "Lock",
        "Long",    "Loop",     "LSet",     "Name",    "New",     "Next",    "Not",      "Object", "On",      "Open",
        "Option",  "Optional", "Or",       "Output",  "Print",   "Private", "Property", "Public", "Put",     "Random",
        "Read",    "ReDim",    "Resume",   "Return",  "RSet",    "Seek",    "Select",   "Set",    "Single",  "Spc",
        "Static",  "String",   "Stop",     "Sub",     "Tab",     "Then",    "True",     "Type",   "UBound",  "Unlock",
        "Variant", "Wend",     "While",    "With",    "Xor",     "Nothing", "To"};
    ASSERT_EQ(golden.size(), 127u);
    std::vector<std::string_view> entries;
    for (std::size_t start = 1, star = kKeyWordList.find('*', start); star != std::string_view::npos;
         start = star + 1, star = kKeyWordList.find('*', start))
        entries.push_back(kKeyWordList.substr(start, star - start));
    ASSERT_EQ(entries.size(), golden.size());
    for (std::size_t i = 0; i < golden.size(); ++i)
        EXPECT_EQ(entries[i], golden[i]) << "entry " << i;
}

TEST(KeyWordList, IsKeyWordAnswersAsASearchOfTheList)
{
    testing::RecordingMessageBoxes messages;
    ColouriserState state;
    Colouriser colouriser(state, messages);
    for (const char *word : {"Dim", "dim", "DIM", "#if", "To", "Alias*Alias", "dim*DO", "#Const*#Else"})
        EXPECT_TRUE(colouriser.IsKeyWord(word)) << word;
    for (const char *word : {"", "*", "Event", "Dim*", "*Dim", "Const*#Else", "Di", "Dim ", " Dim", "Dim\xC3\xA9"})
        EXPECT_FALSE(colouriser.IsKeyWord(word)) << word;

    // Every piece of the list, in mixed case, and random words over its
    // alphabet: the fast test and the search must agree on all of them.
    std::set<std::string> words;
    for (std::size_t i = 0; i < kKeyWordList.size(); ++i) {
        for (std::size_t len = 0; len <= 24 && i + len <= kKeyWordList.size(); ++len)
            words.insert(std::string(kKeyWordList.substr(i, len)));
    }
    std::mt19937 random(7);
    const std::string alphabet = "*#aAdDiImMoOnNsSeE tT";
    for (int n = 0; n < 20000; ++n) {
        std::string word(random() % 9, ' ');
        for (char &c : word)
            c = alphabet[random() % alphabet.size()];
        words.insert(word);
    }
    // Runs of whole entries, nine to forty bytes long (an asterisk then
    // sits anywhere in a word's first or last eight bytes), and each run
    // with its first entry or a byte of it changed: a word of several
    // entries must begin with a whole one.
    std::vector<std::size_t> stars;
    for (std::size_t star = 0; star != std::string_view::npos; star = kKeyWordList.find('*', star + 1))
        stars.push_back(star);
    for (std::size_t a = 0; a + 1 < stars.size(); ++a) {
        for (std::size_t b = a + 2; b < stars.size() && stars[b] - stars[a] <= 41; ++b) {
            const std::string run(kKeyWordList.substr(stars[a] + 1, stars[b] - stars[a] - 1));
            words.insert(run);
            words.insert("x" + run);
            words.insert(run.substr(1));
            words.insert(run + "*");
            std::string changed = run;
            changed[random() % changed.size()] = 'q';
            words.insert(changed);
        }
    }
    for (const char *word : {"abcdefghi", "abcdefgh*", "*abcdefgh", "abcdefghijklmnop", "abcdefgh*ijklmnop",
                             "abcdefghijklmno*", "abcdefghijklmnopq*", "Dim*Do*Double*Each*Else*ElseIf"})
        words.insert(word);
    for (std::string word : words) {
        if (random() % 2)
            word = lowered(word);
        ASSERT_EQ(colouriser.IsKeyWord(word), naiveIsKeyWord(word)) << '[' << word << ']';
        // The test for words of lines without asterisks and zero bytes.
        if (word.find_first_of(std::string_view("*\0", 2)) == std::string::npos) {
            ASSERT_EQ(inKeyWordListWithoutStars(word), naiveIsKeyWord(word)) << '[' << word << ']';
        }
    }
    EXPECT_TRUE(colouriser.IsKeyWord("Dim*Do*Double*Each*Else*ElseIf"));
    EXPECT_TRUE(colouriser.IsKeyWord("Currency*CVar")); // 13 bytes
    EXPECT_FALSE(colouriser.IsKeyWord("Currency*CVa"));
    EXPECT_FALSE(colouriser.IsKeyWord("urrency*CVar"));
    EXPECT_TRUE(messages.calls.empty());
}

TEST(CodeOnly, BlanksLiteralsAsTheScanDefines)
{
    testing::RecordingMessageBoxes messages;
    ColouriserState state;
    Colouriser colouriser(state, messages);
    // Once a literal is blanked, literals after an apostrophe are blanked too.
    EXPECT_EQ(colouriser.GetCodeOnly("x = \"a'b\" ' c \"d\""), "x = \"   \" ' c \" \"");
    EXPECT_EQ(colouriser.GetCodeOnly("' say \"hi\""), "' say \"hi\"");
    EXPECT_EQ(colouriser.GetCodeOnly("s = \"a\"\"b\""), "s = \" \"\"b\""); // the doubled quote ends early
    EXPECT_EQ(colouriser.GetCodeOnly("s = \"open"), "s = \"open");
    EXPECT_EQ(colouriser.GetCodeOnly("no quotes 'here"), "no quotes 'here");
    EXPECT_EQ(colouriser.GetCodeOnly("\"\"\"\""), "\"\"\"\"");
    EXPECT_EQ(colouriser.GetCodeOnly("\"a\"x\"b\"'\"c\""), "\" \"x\" \"'\" \"");

    std::mt19937 random(11);
    const std::string alphabet = "\"\"\"''a ";
    for (int n = 0; n < 50000; ++n) {
        std::string line(random() % 14, ' ');
        for (char &c : line)
            c = alphabet[random() % alphabet.size()];
        std::string fast = line;
        blankStringLiterals(fast);
        ASSERT_EQ(fast, fuzz::plainCodeOnly(line)) << '[' << line << ']';
    }
    EXPECT_TRUE(messages.calls.empty());
}

} // namespace
} // namespace quorbel
