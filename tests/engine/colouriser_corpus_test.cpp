// Properties of the colouriser over real VB6 sources: each file converts
// without a message, keeps its text, and gives the same code block whole,
// line by line, and from LF line breaks.
#include "engine/colouriser.h"
#include "engine/plaintextbox.h"
#include "fuzz/checks/visibletext.h"

#include "tests/support/corpusfiles.h"
#include "tests/support/recordingmessageboxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "<PRE>\r\n<CENTER><FONT FACE='0'>(To highlight code click repeatedly quickly) "
                                     "</FONT><HR></CENTER>\r\n<FONT COLOR='000000'>\r\n";
constexpr std::string_view kFooter = "</Font>\r\n</PRE>";

std::string readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lone LF becomes CR LF, as every text is normalised before conversion.
std::string toCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::string toLf(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    }
    return out;
}

using fuzz::splitAtCrLf;
using fuzz::visibleText;

// Checks that each source line stands, as text, in its output line; the
// anchor line before and the rule line after a line are the colouriser's own.
void expectSameText(const fs::path &file, std::string_view text, std::string_view lines)
{
    const auto source = splitAtCrLf(text);
    const auto output = splitAtCrLf(lines);
    std::size_t k = 0;
    // The last piece of the text is the empty line after its final break.
    for (std::size_t n = 0; n + 1 < source.size(); ++n) {
        if (k < output.size() && output[k].starts_with("<A NAME='"))
            ++k;
        ASSERT_LT(k, output.size()) << file;
        const std::string shown = visibleText(output[k++]);
        // The blank that ends the last word may be written.
        if (shown != source[n] && shown != std::string(source[n]) + ' ') {
            ADD_FAILURE() << file << " line " << n + 1 << "\nsource: [" << source[n] << "]\nshown:  [" << shown << "]";
            return;
        }
        if (k < output.size() && output[k] == "'<hr>")
            ++k;
    }
    EXPECT_EQ(k + 1, output.size()) << file; // the block ends with CR LF
}

TEST(ColouriserCorpus, EveryFileConvertsTheSameEveryWayAndKeepsItsText)
{
    QUORBEL_SKIP_WITHOUT_CORPUS();
    const auto files = testing::corpusFiles();
    ASSERT_GT(files.size(), 100u) << "no corpus at " << QUORBEL_CORPUS_DIR;
    testing::RecordingMessageBoxes messages;
    ColouriserState state;
    Colouriser colouriser(state, messages);
    for (const fs::path &file : files) {
        // The page writer appends a line break to the text it converts.
        const std::string text = toCrLf(readBytes(file)) + "\r\n";
        PlainTextBox box(text);
        const std::string block = colouriser.Quorbel_OBJ(box, "", "", "", "");
        ASSERT_TRUE(block.starts_with(kHeader) && block.ends_with(kFooter)) << file;
        const std::string_view lines =
            std::string_view(block).substr(kHeader.size(), block.size() - kHeader.size() - kFooter.size());

        ColouriserState lineState;
        Colouriser lineByLine(lineState, messages);
        std::string joined;
        for (const std::string_view piece : splitAtCrLf(text)) {
            std::string line(piece);
            if (piece.data() + piece.size() != text.data() + text.size())
                line += "\r\n";
            joined += lineByLine.line2html(line, kDefaultKeyColour, kDefaultIdColour, kDefaultCommentColour);
        }
        EXPECT_TRUE(joined == lines) << file << ": line by line differs from the whole text";
        EXPECT_EQ(lineState.count(Declaration::Sub), state.count(Declaration::Sub)) << file;
        EXPECT_EQ(lineState.count(Declaration::Function), state.count(Declaration::Function)) << file;

        expectSameText(file, text, lines);

        // The same colouriser again, with whatever state the file left.
        PlainTextBox lfBox(toCrLf(toLf(text)));
        EXPECT_TRUE(colouriser.Quorbel_OBJ(lfBox, "", "", "", "") == block)
            << file << ": LF breaks convert differently";
        if (HasFailure())
            break;
    }
    EXPECT_TRUE(messages.calls.empty());
}

} // namespace
} // namespace quorbel
