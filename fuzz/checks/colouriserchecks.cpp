// Properties of the line colouriser for any bytes.
#include "fuzz/checks/fuzzchecks.h"
#include "fuzz/checks/plainrules.h"
#include "fuzz/checks/visibletext.h"

#include "engine/blockstream.h"
#include "engine/codeonly.h"
#include "engine/colouriser.h"
#include "engine/htmlescape.h"
#include "engine/keywordlist.h"
#include "engine/plaintextbox.h"
#include "platform/messageboxes.h"

#include <algorithm>
#include <vector>

namespace quorbel::fuzz {
namespace {

constexpr std::string_view kHeader = "<PRE>\r\n<CENTER><FONT FACE='0'>(To highlight code click repeatedly quickly) "
                                     "</FONT><HR></CENTER>\r\n<FONT COLOR='000000'>\r\n";
constexpr std::string_view kFooter = "</Font>\r\n</PRE>";
constexpr std::string_view kAnchorStart = "<A NAME='";
constexpr std::string_view kAnchorEnd = "'></A>";
constexpr std::string_view kRule = "'<hr>";

void require(bool holds, const std::string &property)
{
    if (!holds)
        throw PropertyViolation(property);
}

// The colouriser shows a message only on an internal error: none is allowed.
class NoMessages : public MessageBoxes {
public:
    Answer show(std::string_view text, Buttons, Icon, std::optional<std::string_view>) override
    {
        throw PropertyViolation("a message was shown: " + std::string(text));
    }
};

// The text shown for a source line: the line itself, or the line and the
// blank that ended its last word.
void requireShown(std::string_view html, std::string_view source, const std::string &where)
{
    const std::string shown = visibleText(html);
    require(shown == source || shown == std::string(source) + ' ',
            where + ": text changed\nsource: [" + std::string(source) + "]\nshown:  [" + shown + "]");
}

bool sameNames(const ColouriserState &a, const ColouriserState &b)
{
    return std::ranges::equal(a.names(Declaration::Sub), b.names(Declaration::Sub)) &&
           std::ranges::equal(a.names(Declaration::Function), b.names(Declaration::Function));
}

std::vector<std::string> recordedNames(const ColouriserState &state)
{
    std::vector<std::string> names;
    for (const Declaration kind : {Declaration::Sub, Declaration::Function}) {
        for (const std::string &name : state.names(kind))
            names.push_back(escapeHtmlName(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string lowered(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return out;
}

} // namespace

void checkQuorbelObj(std::string_view text)
{
    NoMessages messages;
    ColouriserState state;
    Colouriser colouriser(state, messages);
    PlainTextBox box(text);
    const std::string block = colouriser.Quorbel_OBJ(box, "", "", "", "");
    require(block.starts_with(kHeader) && block.ends_with(kFooter), "the block lost its wrapper");
    const std::string_view lines =
        std::string_view(block).substr(kHeader.size(), block.size() - kHeader.size() - kFooter.size());

    ColouriserState lineState;
    Colouriser lineByLine(lineState, messages);
    std::string joined;
    const auto source = splitAtCrLf(text);
    for (std::size_t n = 0; n < source.size(); ++n) {
        std::string line(source[n]);
        if (n + 1 < source.size())
            line += "\r\n";
        joined += lineByLine.line2html(line, kDefaultKeyColour, kDefaultIdColour, kDefaultCommentColour);
    }
    require(joined == lines, "line2html line by line differs from Quorbel_OBJ");

    const auto output = splitAtCrLf(lines);
    std::vector<std::string> anchors;
    std::size_t k = 0;
    for (std::size_t n = 0; n < source.size(); ++n) {
        if (n + 1 == source.size() && source[n].empty())
            break; // the empty line after the final break gives nothing
        require(k < output.size(), "a line is missing");
        if (output[k].starts_with(kAnchorStart)) {
            require(output[k].ends_with(kAnchorEnd), "an anchor line holds more than the anchor");
            anchors.emplace_back(
                output[k].substr(kAnchorStart.size(), output[k].size() - kAnchorStart.size() - kAnchorEnd.size()));
            ++k;
            require(k < output.size(), "an anchor stands without its line");
        }
        requireShown(output[k++], source[n], "line " + std::to_string(n + 1));
        if (k < output.size() && output[k] == kRule)
            ++k;
    }
    require(k + 1 == output.size() && output.back().empty(), "the block holds more lines than the text");

    std::sort(anchors.begin(), anchors.end());
    require(anchors == recordedNames(state), "the anchors and the recorded names differ");
    require(lineState.count(Declaration::Sub) == state.count(Declaration::Sub) &&
                lineState.count(Declaration::Function) == state.count(Declaration::Function),
            "line by line recorded other names");
    checkStreamedBlock(text);
}

void checkStreamedBlock(std::string_view text)
{
    // The bytes as a source text whose breaks may be CR LF, LF or a lone
    // CR: streamed in small batches on two threads, the block is the one of
    // the mended text in a box, with the CR LF a conversion appends.
    NoMessages messages;
    ColouriserState expected;
    PlainTextBox box(plainCrLf(text) + "\r\n");
    const std::string block = Colouriser(expected, messages).Quorbel_OBJ(box, "", "", "", "");
    ColouriserState state;
    std::string streamed;
    const int lines = streamCodeBlock(text, "", "", "", "", state, messages,
                                      [&](std::string_view piece) { streamed += piece; }, {2, 1 + text.size() % 13});
    require(streamed == block, "the streamed block differs from the block of the whole text");
    require(lines == box.lineCount(), "the streamed line count differs");
    require(sameNames(state, expected) && state.commentContinues() == expected.commentContinues(),
            "streaming left another state");
    ColouriserState collected;
    collectNames(text, collected, {2, 1 + text.size() % 7});
    require(sameNames(collected, expected), "the names collected before colouring differ");
}

void checkLine2html(std::string_view line)
{
    NoMessages messages;
    ColouriserState state;
    Colouriser colouriser(state, messages);
    std::string prepared(line);
    const std::string html = colouriser.line2html(prepared, "K", "II", "CCC");
    if (line.empty()) {
        require(html.empty() && prepared.empty() && state.count(Declaration::Sub) == 0 &&
                    state.count(Declaration::Function) == 0,
                "an empty line gave something");
        return;
    }
    std::string_view body = line;
    if (body.ends_with("\r\n"))
        body.remove_suffix(2);
    require(prepared == std::string(body) + ' ', "the line was not prepared: line break replaced by one blank");

    std::string_view view = html;
    if (view.starts_with(kAnchorStart)) {
        const std::size_t end = view.find("'></A>\r\n");
        require(end != std::string_view::npos, "an anchor is not closed");
        require(state.count(Declaration::Sub) + state.count(Declaration::Function) == 1,
                "an anchor without one recorded name");
        view.remove_prefix(end + 8);
    } else {
        require(state.count(Declaration::Sub) + state.count(Declaration::Function) == 0,
                "a name was recorded without an anchor");
    }
    if (view.ends_with("'<hr>\r\n"))
        view.remove_suffix(7);
    require(view.ends_with("\r\n"), "the line's HTML does not end with its line break");
    view.remove_suffix(2);
    requireShown(view, body, "the line");
}

void checkCodeOnly(std::string_view line)
{
    NoMessages messages;
    ColouriserState state;
    Colouriser colouriser(state, messages);
    const std::string codeOnly = colouriser.GetCodeOnly(line);
    require(codeOnly.size() == line.size(), "GetCodeOnly changed the length");
    for (std::size_t i = 0; i < line.size(); ++i) {
        require(line[i] != '"' || codeOnly[i] == '"', "GetCodeOnly lost a quote");
        require(codeOnly[i] == line[i] || codeOnly[i] == ' ', "GetCodeOnly wrote something but blanks");
    }
    require(codeOnly == plainCodeOnly(std::string(line)), "GetCodeOnly differs from the blanking loop");
    // The search of a long line that is not copied to be blanked.
    for (const char c : {'\'', '(', 'a'})
        require(findOutsideLiterals(line, c) == codeOnly.find(c), "findOutsideLiterals differs from the blanked line");

    // The one-pass search for both declarations against the two searches.
    const auto both = findDeclaration(codeOnly);
    const auto sub = declaredName(codeOnly, Declaration::Sub);
    const auto function = declaredName(codeOnly, Declaration::Function);
    if (sub) {
        require(both && both->kind == Declaration::Sub && both->name == *sub, "the Sub found differs");
    } else if (function) {
        require(both && both->kind == Declaration::Function && both->name == *function, "the Function found differs");
    } else {
        require(!both, "a declaration was found where there is none");
    }
}

void checkKeyWord(std::string_view word)
{
    const bool listed =
        !word.empty() && lowered(kKeyWordList).find(lowered("*" + std::string(word) + "*")) != std::string::npos;
    require(inKeyWordList(word) == listed,
            "the keyword test differs from a search of the list for [" + std::string(word) + "]");
    if (word.find_first_of(std::string_view("*\0", 2)) == std::string_view::npos)
        require(inKeyWordListWithoutStars(word) == listed,
                "the keyword test for words without asterisks differs for [" + std::string(word) + "]");
}

} // namespace quorbel::fuzz
