// Lines of any length are coloured in bounded memory: their HTML is handed on
// in pieces while they are coloured, and the pieces put together are the
// HTML of the line written whole.
#include "engine/blockstream.h"
#include "engine/codeonly.h"
#include "engine/colouriser.h"
#include "engine/conversionerror.h"
#include "engine/fileio.h"
#include "engine/htmlbuffer.h"
#include "engine/plaintextbox.h"
#include "fuzz/checks/plainrules.h"

#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace quorbel {
namespace {

const std::string I = "<FONT COLOR=#B67C30>";
const std::string C = "<FONT COLOR=#378C13>";
const std::string E = "</FONT>";

std::string repeated(std::string_view unit, std::size_t times)
{
    std::string out;
    out.reserve(unit.size() * times);
    for (std::size_t n = 0; n < times; ++n)
        out += unit;
    return out;
}

// The HTML of line coloured on its own, and the sizes of the pieces handed
// on while it was coloured into a buffer that hands on past bound bytes.
struct Coloured {
    std::string html;
    std::vector<std::size_t> pieces;
};

Coloured colourLine(std::string line, std::size_t bound)
{
    testing::RecordingMessageBoxes messages;
    ColouriserState state;
    Colouriser colouriser(state, messages);
    Coloured result;
    std::string buffer;
    const HtmlConsumer consumer = [&](std::string_view piece) {
        result.html += piece;
        result.pieces.push_back(piece.size());
    };
    {
        HtmlBuffer out(buffer, HtmlBuffer::Reuse{});
        out.handOnTo(consumer, bound);
        line += "\r\n";
        colouriser.appendSourceLines(line, false, blockColours("", "", ""), out);
        result.html.append(buffer, 0, out.size());
    }
    EXPECT_TRUE(messages.calls.empty());
    return result;
}

TEST(LongLines, HandedOnInPiecesWhileColoured)
{
    // Each shape as a short line (written in room reserved once) and as a
    // long one (written a segment at a time): the HTML follows one rule.
    struct Shape {
        std::string unit;
        std::function<std::string(std::size_t)> html; // for unit repeated n times
    };
    const Shape shapes[] = {
        // Every "[" opens an empty identifier; so does the closing blank.
        {"[", [](std::size_t n) { return repeated(I + E + "[", n) + I + E + "\r\n"; }},
        // One word, an identifier, escaped.
        {"x<&", [](std::size_t n) { return I + repeated("x&lt;&amp;", n) + E + "\r\n"; }},
        // One string literal: a plain word.
        {"\"", [](std::size_t n) { return repeated("\"", n) + " \r\n"; }},
        // One comment.
        {"'<", [](std::size_t n) { return C + repeated("'&lt;", n) + E + "\r\n"; }},
    };
    for (const Shape &shape : shapes) {
        for (const std::size_t n : {std::size_t{3}, std::size_t{300000}}) {
            const Coloured coloured = colourLine(repeated(shape.unit, n), 100000);
            EXPECT_EQ(coloured.html, shape.html(n)) << shape.unit << " times " << n;
            if (n < 1000)
                continue;
            // Handed on before the line ended, in pieces of about the bound.
            EXPECT_GE(coloured.pieces.size(), 2u) << shape.unit;
            EXPECT_LE(*std::max_element(coloured.pieces.begin(), coloured.pieces.end()), 1000000u) << shape.unit;
        }
    }
}

// A long mixed line: words of every kind, literals, brackets, jumps,
// labels, escapes and a declaration, without a line break.
std::string mixedLine(std::mt19937 &random, std::size_t tokens)
{
    static constexpr std::string_view kTokens[] = {
        "Sub ", "End ", "Function", "GoTo ", "[", "]", "_",   ":",  "\"",  "<",  "&",    "(",        ")",
        ".",    ",",    "/",        "\\",    " ", "x", "Dim", "If", "abc", "12", "Then", "\xC3\xA9", "\t"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kTokens) - 1);
    std::string line = "Private Sub Long(";
    for (std::size_t n = 0; n < tokens; ++n)
        line += kTokens[pick(random)];
    return line;
}

TEST(LongLines, StreamedInPiecesAsTheWholeBlock)
{
    std::mt19937 random(11);
    const std::string bigWord = repeated("ab<c", 100000);
    const std::vector<std::string> texts = {
        repeated("[", 400000),
        mixedLine(random, 300000) + " ' note\r\nx = 1\r\n" + mixedLine(random, 200000),
        "Dim " + bigWord + " = \"" + bigWord + "\" ' " + bigWord + " _\r\n" + bigWord + "\r\nSub " + bigWord + "()",
        repeated("Sub A() ' _\r\n", 20000) + repeated("x", 2000000),
    };
    int n = 0;
    for (const std::string &text : texts) {
        testing::RecordingMessageBoxes messages;
        ColouriserState expected;
        PlainTextBox whole(fuzz::plainCrLf(text) + "\r\n");
        const std::string block = Colouriser(expected, messages).Quorbel_OBJ(whole, "", "", "", "");
        for (const StreamOptions &options : {StreamOptions{1}, StreamOptions{3, 4096}}) {
            ColouriserState state;
            std::string streamed;
            std::size_t largest = 0;
            streamCodeBlock(
                text, "", "", "", "", state, messages,
                [&](std::string_view piece) {
                    streamed += piece;
                    largest = std::max(largest, piece.size());
                },
                options);
            ASSERT_EQ(streamed, block) << "text " << n << " on " << options.threads << " threads";
            EXPECT_EQ(state.count(Declaration::Sub), expected.count(Declaration::Sub)) << "text " << n;
            // No piece holds the HTML of a whole long line.
            EXPECT_LT(largest, 3u << 19) << "text " << n;
            EXPECT_GT(block.size(), 3u << 20) << "text " << n;
        }
        EXPECT_TRUE(messages.calls.empty());
        ++n;
    }
}

TEST(LongLines, AnErrorOfTheSinkWhileALineIsHandedOnReachesTheCaller)
{
    // Several long lines in batches of their own, coloured at once: threads
    // that wait to hand on are let go when the sink fails.
    const std::string text = repeated(repeated("[", 200000) + "\r\n", 6);
    for (const int failAt : {1, 2, 5, 12}) {
        ColouriserState state;
        testing::RecordingMessageBoxes messages;
        int pieces = 0;
        const auto failing = [&](std::string_view) {
            if (++pieces == failAt)
                throw FileError("page.html", "No space left on device");
        };
        EXPECT_THROW(streamCodeBlock(text, "", "", "", "", state, messages, failing, {2, 1}), FileError);
        EXPECT_EQ(pieces, failAt);
    }
}

TEST(CodeOnly, FoundOutsideLiteralsAsInTheBlankedLine)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, 5);
    static constexpr char kBytes[] = {'"', '\'', '(', 'a', ' ', 'x'};
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        for (int k = length(random); k > 0; --k)
            line += kBytes[pick(random)];
        const std::string codeOnly = fuzz::plainCodeOnly(line);
        for (const char c : {'\'', '(', 'a'})
            ASSERT_EQ(findOutsideLiterals(line, c), codeOnly.find(c)) << line << " searching " << c;
    }
}

} // namespace
} // namespace quorbel
