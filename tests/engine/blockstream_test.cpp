// The streamed conversion against the in-memory one: the pages written from a
// raw source text piece by piece, on several threads, must be those that
// srcToHTML writes from a text box holding the decoded text, byte for byte.
#include "engine/blockstream.h"
#include "engine/bytescan.h"
#include "engine/colouriser.h"
#include "engine/conversionerror.h"
#include "engine/declarationscan.h"
#include "engine/fileio.h"
#include "engine/linebreaks.h"
#include "engine/pagestate.h"
#include "engine/pagewriter.h"
#include "engine/plaintextbox.h"
#include "engine/settings.h"
#include "engine/sourcetext.h"
#include "engine/utf8.h"
#include "fuzz/checks/plainrules.h"
#include "platform/label.h"
#include "platform/settings/memorysettingsstore.h"
#include "tests/support/corpusfiles.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingmessageboxes.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names(const ColouriserState &state, Declaration kind)
{
    const auto current = state.names(kind);
    return {current.begin(), current.end()};
}

struct Converter {
    MemorySettingsStore store;
    testing::RecordingMessageBoxes messages;
    testing::FixedClock clock;
    PageState state;
    EngineServices services{store, messages, clock};
    PageWriter writer{state, services};
    PlainLabel label;
    Converter()
    {
        state.CodeName = "Module1";
        store.set(kSettingsApp, kSettingsSection, "Frames", "1");
    }
};

// Every file of the page set under folder, by path relative to it.
std::map<std::string, std::string> pageSet(const fs::path &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = testing::readBytes(entry.path());
    }
    return files;
}

// The page sets written by srcToHTML from a box and by writePages from the
// raw text, and the timing lines.
struct Both {
    std::map<std::string, std::string> inMemory, streamed;
    std::string inMemoryLabel, streamedLabel;
};

Both convertBoth(std::string_view raw, const StreamOptions &options, const std::string &name)
{
    Both both;
    const fs::path folder = testing::scratchFolder("blockstream", name);
    fs::create_directories(folder / "memory");
    fs::create_directories(folder / "stream");
    {
        Converter c;
        PlainTextBox box(fuzz::plainCrLf(raw));
        c.writer.srcToHTML(box, (folder / "memory" / "Module1.html").string(), c.label);
        both.inMemoryLabel = c.label.caption();
    }
    {
        Converter c;
        c.writer.writePages(raw, (folder / "stream" / "Module1.html").string(), c.label, options);
        both.streamedLabel = c.label.caption();
    }
    both.inMemory = pageSet(folder / "memory");
    both.streamed = pageSet(folder / "stream");
    return both;
}

// The text with every line break made another kind, by turns.
std::string withMixedBreaks(std::string_view text)
{
    const std::string crLf = fuzz::plainCrLf(text);
    std::string out;
    int n = 0;
    for (std::size_t i = 0; i < crLf.size(); ++i) {
        if (crLf[i] == '\r' && i + 1 < crLf.size() && crLf[i + 1] == '\n') {
            static constexpr std::string_view kBreaks[] = {"\n", "\r\n", "\r"};
            out += kBreaks[n++ % 3];
            ++i;
        } else {
            out += crLf[i];
        }
    }
    return out;
}

TEST(StreamedPages, EqualThePagesOfTheWholeTextForEveryCorpusFile)
{
    QUORBEL_SKIP_WITHOUT_CORPUS();
    const auto files = testing::corpusFiles();
    ASSERT_GT(files.size(), 100u) << "no corpus at " << QUORBEL_CORPUS_DIR;
    // Many files take a few batches of a small size; every fifth also with
    // mixed line breaks and batches of a few lines.
    std::size_t compared = 0;
    for (std::size_t i = 0; i < files.size(); i += 3) {
        const std::string bytes = testing::readBytes(files[i]);
        const std::string owned =
            isValidUtf8(bytes) ? std::string(withoutByteOrderMark(bytes)) : decodeSource(bytes).text;
        if (owned.empty())
            continue;
        Both both = convertBoth(owned, {2, 4096}, "corpus");
        ASSERT_EQ(both.streamed, both.inMemory) << files[i];
        EXPECT_EQ(both.streamedLabel, both.inMemoryLabel) << files[i];
        if (i % 5 == 0) {
            both = convertBoth(withMixedBreaks(owned), {3, 200}, "mixed");
            ASSERT_EQ(both.streamed, both.inMemory) << files[i] << " with mixed line breaks";
        }
        ++compared;
    }
    EXPECT_GT(compared, 300u);
}

TEST(StreamedPages, LineEndsAndContinuedCommentsAcrossBatches)
{
    // Each case in batches of one byte (a cut after nearly every line), of a
    // few lines, and whole.
    const std::vector<std::string> cases = {
        "Sub A()\r\nEnd Sub",                                   // no break at the end
        "Sub A()\r\nEnd Sub\r\n",                               // a break at the end
        "Sub A()\nEnd Sub\n\n\n",                               // LF, empty lines
        "x = 1\r' lone CR\rSub B()\r",                          // lone CR breaks
        "a\r\r\n\n\r\nb",                                       // CR then CR LF then LF
        "' a comment _\r\ngoes on _\r\nand on\r\nSub C(x)\r\n", // continued comments
        "' ends continued _",                                   // the last line continues
        "x = \"a ' b\" ' c _\r\nSub D()\r\n",                   // an apostrophe in a literal
        "Private Function F(a) As Long\r\nDeclare Function G Lib \"k\" (b)\r\nPublic Sub H()\r\n",
        "<&>\r\n&amp; x < y\r\n",
        "\xC3\xA9t\xC3\xA9 = 1\r\nSub \xC3\x89t\xC3\xA9()\r\n", // text outside ASCII
        "\r\n",
        "_\r\n_\r\n_",
        "' c _\r\n\r\nx\r\n\r\n", // an empty line inside a continued comment
        // What follows a line's code, read with it but never its words:
        // blanks before and after a break, a comment of delimiters, lines
        // of blanks, code ending at 15, 16 and 17 bytes.
        "x   \n    y\r\n   \r \n.(\n",
        "a.b'(. \"<\r\nc(d) '  [e]\r\n",
        "abcdefghijklmn \r\n (abcdefghijklmno \r\n[abcdefghijklmnop \r\n:",
    };
    int n = 0;
    for (const std::string &text : cases) {
        for (const StreamOptions &options : {StreamOptions{1, 1}, StreamOptions{4, 8}, StreamOptions{2, 1 << 20}}) {
            const Both both = convertBoth(text, options, "case" + std::to_string(n));
            ASSERT_EQ(both.streamed, both.inMemory) << "case " << n << " in batches of " << options.batchBytes;
            EXPECT_EQ(both.streamedLabel, both.inMemoryLabel) << "case " << n;
        }
        ++n;
    }
}

TEST(StreamedPages, SinglePageAndTheStateLeftBehind)
{
    const std::string text = "' note _\r\nSub A()\r\nFunction B()\r\nSub C() ' and _";
    Converter memory, streamed;
    PlainTextBox box(text);
    const std::string page = memory.writer.singlePage(box, memory.label);
    std::string pieces;
    int count = 0;
    streamed.writer.writeSinglePage(text, streamed.label,
                                    [&](std::string_view piece) {
                                        pieces += piece;
                                        ++count;
                                    },
                                    {2, 1});
    EXPECT_EQ(pieces, page);
    EXPECT_GT(count, 4); // head, block opening, several batches, end, foot
    EXPECT_EQ(streamed.label.caption(), memory.label.caption());

    // The block alone: the names in order and the continuation of the last
    // line, as Quorbel_OBJ leaves them.
    testing::RecordingMessageBoxes messages;
    ColouriserState expected, state;
    PlainTextBox whole(text + "\r\n");
    const std::string block = Colouriser(expected, messages).Quorbel_OBJ(whole, "", "", "", "");
    std::string streamedBlock;
    const int lines = streamCodeBlock(text, "", "", "", "", state, messages,
                                      [&](std::string_view piece) { streamedBlock += piece; }, {3, 1});
    EXPECT_EQ(streamedBlock, block);
    EXPECT_EQ(lines, whole.lineCount());
    EXPECT_EQ(names(state, Declaration::Sub), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(names(state, Declaration::Function), std::vector<std::string>{"B"});
    EXPECT_TRUE(state.commentContinues());
    EXPECT_EQ(state.commentContinues(), expected.commentContinues());
    EXPECT_TRUE(messages.calls.empty());

    // A decorator gets the lines alone, whole and in order, on any number of
    // threads, and what it makes of them is what the sink gets.
    StreamOptions decorating(3, 1);
    std::string lineHtml;
    int calls = 0;
    decorating.decorate = [&](std::string &html) {
        EXPECT_TRUE(html.empty() || html.ends_with("\r\n")) << html;
        lineHtml += html;
        html = "[" + html + "]";
        ++calls;
    };
    std::string decorated;
    streamCodeBlock(
        text, "", "", "", "", state, messages, [&](std::string_view piece) { decorated += piece; }, decorating);
    const std::string head = blockHead("");
    ASSERT_TRUE(block.starts_with(head) && block.ends_with(kBlockFoot));
    EXPECT_EQ(lineHtml, block.substr(head.size(), block.size() - head.size() - kBlockFoot.size()));
    EXPECT_GT(calls, 2);
    EXPECT_TRUE(decorated.starts_with(head + "["));
    EXPECT_TRUE(decorated.ends_with("]" + std::string(kBlockFoot)));
}

TEST(StreamedPages, AnErrorOfTheSinkStopsTheConversionAndReachesTheCaller)
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "Sub S" + std::to_string(i) + "()\r\n";
    ColouriserState state;
    testing::RecordingMessageBoxes messages;
    int pieces = 0;
    const auto failing = [&](std::string_view) {
        if (++pieces == 3)
            throw FileError("page.html", "No space left on device");
    };
    // The threads still colouring are stopped and joined: no hang, no crash.
    EXPECT_THROW(streamCodeBlock(text, "", "", "", "", state, messages, failing, {2, 64}), FileError);
    EXPECT_EQ(pieces, 3);

    // A page that cannot be written is an error naming it, not a success.
    Converter c;
    const fs::path folder = testing::scratchFolder("blockstream", "unwritable");
    fs::create_directories(folder / "Module1" / "Code.html" / "inside");
    EXPECT_THROW(c.writer.writePages(text, (folder / "Module1.html").string(), c.label), ConversionError);
    c.store.set(kSettingsApp, kSettingsSection, "Frames", "0");
    c.store.set(kSettingsApp, kSettingsSection, "Comments Frames", "0");
    EXPECT_THROW(c.writer.writePages(text, (folder / "no" / "such" / "Module1.html").string(), c.label), FileError);
}

TEST(StreamedPages, TextThatMustBeUtf8AndIsNotChangesNothing)
{
    Converter c;
    const fs::path folder = testing::scratchFolder("blockstream", "notutf8");
    testing::writeBytes(folder / "Module1" / "Code.html", "an earlier page");
    StreamOptions options;
    options.requireUtf8 = true;
    options.batchBytes = 4;
    const std::string text = "Sub A()\r\nx = \"\xE9\"\r\nSub B()\r\n";
    EXPECT_EQ(c.writer.writePages(text, (folder / "Module1.html").string(), c.label, options), PageOutcome::NotUtf8);
    EXPECT_EQ(testing::readBytes(folder / "Module1" / "Code.html"), "an earlier page");
    EXPECT_FALSE(fs::exists(folder / "Module1.html"));
    int pieces = 0;
    EXPECT_EQ(c.writer.writeSinglePage(
                  text, c.label, [&](std::string_view) { ++pieces; }, options),
              PageOutcome::NotUtf8);
    EXPECT_EQ(pieces, 0);

    // What the names pass tells of the text, batch by batch.
    ColouriserState state;
    SourceFacts facts = collectNames(text, state, {2, 4});
    EXPECT_FALSE(facts.validUtf8);
    EXPECT_TRUE(facts.nonAscii);
    facts = collectNames("Sub A()\r\nx = \"\xC3\xA9\"\r\n", state, {2, 4});
    EXPECT_TRUE(facts.validUtf8);
    EXPECT_TRUE(facts.nonAscii);
    facts = collectNames("Sub A()\r\n", state);
    EXPECT_TRUE(facts.validUtf8);
    EXPECT_FALSE(facts.nonAscii);
    // A character cut by a line break is no character.
    EXPECT_FALSE(collectNames("a\xC3\r\n\xA9"
                              "b",
                              state, {2, 1})
                     .validUtf8);
}

TEST(StreamedPages, AnEmptyTextWritesNothing)
{
    Converter c;
    const fs::path folder = testing::scratchFolder("blockstream", "empty");
    c.writer.writePages("", (folder / "Module1.html").string(), c.label);
    EXPECT_TRUE(fs::is_empty(folder));
    int pieces = 0;
    c.writer.writeSinglePage("", c.label, [&](std::string_view) { ++pieces; });
    EXPECT_EQ(pieces, 0);
}

TEST(BatchStarts, CutAfterLineBreaksOfLinesThatCannotGoOnInAComment)
{
    const std::string text = "ab _\r\ncd\r\nef_\nxy\rz\r\n";
    const auto starts = batchStarts(text, 1);
    // After "cd\r\n" (6 + 4) and after "xy\r" (10 + 4 + 3); "ab _" and "ef_"
    // go on, and the last break ends the text.
    EXPECT_EQ(starts, (std::vector<std::size_t>{10, 17}));
    for (const std::size_t start : batchStarts(text, 3)) {
        EXPECT_TRUE(text[start - 1] == '\n' || text[start - 1] == '\r');
        EXPECT_NE(text[start], '\n') << "a CR LF split at " << start;
    }
    EXPECT_TRUE(batchStarts("no break at all", 1).empty());
    EXPECT_TRUE(batchStarts("a\r\nb", 100).empty());
    EXPECT_TRUE(batchStarts("a _\r\nb _\r\nc", 1).empty());
}

TEST(BatchStarts, ChosenByTheTextsSizeUnlessAsked)
{
    constexpr std::size_t kKB = 1024;
    // A module of a few hundred KB still gives every processor batches;
    // megabytes go in fewer, larger ones, never larger than 256 KB.
    EXPECT_EQ(batchBytesFor(300 * kKB, 0), 64 * kKB);
    EXPECT_EQ(batchBytesFor(4096 * kKB, 0), 128 * kKB);
    EXPECT_EQ(batchBytesFor(8704 * kKB, 0), 256 * kKB);
    EXPECT_EQ(batchBytesFor(std::size_t{1} << 30, 0), 256 * kKB);
    EXPECT_EQ(batchBytesFor(std::size_t{1} << 30, 7), 7u);
}

// Random lines made of the pieces that decide declarations.
std::string randomSource(std::mt19937 &random, std::size_t lines)
{
    static const std::vector<std::string> pieces = {
        "Sub ", "sub ", "SUB",  "Function ", "function ", "Sub", "ction ", "Declare ", "(", ")", "\"", "'",
        " ",    "x",    "End ", "GoSub ",    "Public ",   "  ",  "b ",     "n ",       "_", ":", "\t",
    };
    static const std::vector<std::string> breaks = {"\r\n", "\n", "\r"};
    std::string text;
    for (std::size_t l = 0; l < lines; ++l) {
        const std::size_t n = random() % 9;
        for (std::size_t k = 0; k < n; ++k)
            text += pieces[random() % pieces.size()];
        text += breaks[random() % breaks.size()];
    }
    return text;
}

TEST(RecordNames, FindsWhatColouringEveryLineRecords)
{
    std::mt19937 random(20261208);
    testing::RecordingMessageBoxes messages;
    for (int round = 0; round < 400; ++round) {
        const std::string text = randomSource(random, 1 + random() % 40);
        ColouriserState expected;
        PlainTextBox box(fuzz::plainCrLf(text) + "\r\n");
        Colouriser(expected, messages).Quorbel_OBJ(box, "", "", "", "");

        ColouriserState found;
        Colouriser(found, messages).recordNames(text);
        ASSERT_EQ(names(found, Declaration::Sub), names(expected, Declaration::Sub)) << text;
        ASSERT_EQ(names(found, Declaration::Function), names(expected, Declaration::Function)) << text;

        ColouriserState collected;
        collectNames(text, collected, {2, 1 + random() % 50});
        ASSERT_EQ(names(collected, Declaration::Sub), names(expected, Declaration::Sub)) << text;
        ASSERT_EQ(names(collected, Declaration::Function), names(expected, Declaration::Function)) << text;
    }
}

TEST(RecordNames, DeclaringLinesAreCutAtEveryKindOfBreak)
{
    std::vector<std::string> lines;
    forEachDeclaringLine("x\r\nPublic Sub A()\nfunction b()\rno\r\nsub c(",
                         [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{"Public Sub A()", "function b()", "sub c("}));
    lines.clear();
    // A line with both words is handed on once.
    forEachDeclaringLine("Sub X() ' sub function ", [&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines.size(), 1u);
}

TEST(LineBreaks, FoundInBlocksAsByteByByte)
{
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        std::string text(random() % 70, 'x');
        for (char &c : text)
            c = "ab\r\n"[random() % 4 == 0 ? 2 + random() % 2 : random() % 2];
        for (std::size_t from = 0; from <= text.size() + 1; ++from) {
            const std::size_t expected = std::min(text.find_first_of("\r\n", from), text.size());
            ASSERT_EQ(findLineBreak(text, from), expected) << text << " from " << from;
        }
    }
}

TEST(LineBreaks, MendedInPlaceAsInACopy)
{
    std::mt19937 random(7);
    const std::string alphabet = "ab\r\n_x";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const std::size_t n = random() % (round % 2 ? 400 : 40);
        for (std::size_t i = 0; i < n; ++i)
            text += alphabet[random() % (round % 3 ? alphabet.size() : 4)];
        std::string inPlace = text;
        normaliseLineBreaksInPlace(inPlace);
        ASSERT_EQ(inPlace, fuzz::plainCrLf(text)) << round;
    }
    std::string crLf = "a\r\nb\r\n";
    const char *before = crLf.data();
    normaliseLineBreaksInPlace(crLf);
    EXPECT_EQ(crLf, "a\r\nb\r\n");
    EXPECT_EQ(crLf.data(), before) << "text already in CR LF is not touched";
}

TEST(SourceText, WithoutByteOrderMarkDropsOnlyALeadingMark)
{
    EXPECT_EQ(withoutByteOrderMark("\xEF\xBB\xBFx\n"), "x\n");
    EXPECT_EQ(withoutByteOrderMark("x\xEF\xBB\xBF"), "x\xEF\xBB\xBF");
}

} // namespace
} // namespace quorbel
