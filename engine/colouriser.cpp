#include "engine/colouriser.h"

#include "engine/bytescan.h"
#include "engine/codeonly.h"
#include "engine/declarationscan.h"
#include "engine/htmlbuffer.h"
#include "engine/htmlescape.h"
#include "engine/keywordlist.h"
#include "engine/textcontrol.h"
#include "engine/wordhtml.h"
#include "platform/messageboxes.h"

namespace quorbel {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// A line this long is written, and may be handed on, in pieces.
constexpr std::size_t kLongLine = std::size_t{1} << 16;

std::string_view orDefault(std::string_view colour, std::string_view fallback)
{
    return colour.empty() ? fallback : colour;
}

} // namespace

LineColours blockColours(std::string_view keyColour, std::string_view idColour, std::string_view commentColour)
{
    return LineColours(orDefault(keyColour, kDefaultKeyColour), orDefault(idColour, kDefaultIdColour),
                       orDefault(commentColour, kDefaultCommentColour));
}

std::string blockHead(std::string_view textColour)
{
    std::string head =
        "<PRE>\r\n<CENTER><FONT FACE='0'>(To highlight code click repeatedly quickly) </FONT><HR></CENTER>\r\n"
        "<FONT COLOR='";
    head += orDefault(textColour, kDefaultTextColour);
    head += "'>\r\n";
    return head;
}

Colouriser::Colouriser(ColouriserState &state, MessageBoxes &messages) : m_state(state), m_messages(messages)
{
}

std::string Colouriser::Quorbel_OBJ(TextControl &source, std::string_view textColour, std::string_view keyColour,
                                    std::string_view idColour, std::string_view commentColour)
{
    // A file that ended inside a continued comment must not turn the first
    // line of the next conversion into a comment.
    m_state.restart();
    const LineColours colours = blockColours(keyColour, idColour, commentColour);

    std::string block;
    std::size_t linesStart = 0;
    std::size_t linesEnd = 0;
    try {
        const int count = source.lineCount();
        // Real code grows about 3.2 times with its FONT tags; reserving a
        // little more once spares the copies of a growing block (the room
        // reserved costs nothing until it is written).
        const int lastStart = count > 0 ? source.lineIndex(count - 1) : 0;
        block.reserve(7 * static_cast<std::size_t>(lastStart > 0 ? lastStart : 0) / 2 + 512);
        block += blockHead(textColour);
        linesStart = linesEnd = block.size();
        {
            // Cuts the block back to what was written when it goes, on an
            // error too.
            HtmlBuffer out(block);
            std::string line;
            for (int n = 1; n <= count; ++n) {
                int lineNumber = n;
                readLine(source, lineNumber, line);
                appendLine(line, colours, out);
                linesEnd = out.size();
                if (n % kProgressLines == 0 && m_progress && n < count && !m_progress(n, count))
                    throw ConversionStopped();
            }
            if (m_progress && !m_progress(count, count))
                throw ConversionStopped();
            out.put(kBlockFoot);
        }
        return block;
    } catch (const ConversionStopped &) {
        throw; // not an error: the caller asked for it
    } catch (...) {
        showError("Error occured within Quorbel_OBJ");
        return block.substr(linesStart, linesEnd - linesStart);
    }
}

std::string Colouriser::line2html(std::string &line, std::string_view keyColour, std::string_view idColour,
                                  std::string_view commentColour)
{
    std::string html;
    {
        HtmlBuffer out(html);
        appendLine(line, LineColours(keyColour, idColour, commentColour), out);
    }
    return html;
}

void Colouriser::recordNames(std::string_view text)
{
    forEachDeclaringLine(text, [&](std::string_view line) {
        // The line without its break, not as appendLine prepares it: the
        // blank appended after its last "(" cannot change what it declares.
        if (const auto declared = findDeclaration(codeOnlyOf(line)))
            m_state.record(declared->kind, declared->name);
    });
}

std::string_view Colouriser::codeOnlyOf(std::string_view line)
{
    if (line.find('"') == std::string::npos)
        return line;
    m_codeOnly.assign(line);
    blankStringLiterals(m_codeOnly);
    return m_codeOnly;
}

void Colouriser::appendLine(std::string &line, const LineColours &colours, HtmlBuffer &out)
{
    // Only the last line of a text, after its final line break, is empty.
    if (line.empty())
        return;
    try {
        // The appended blank makes the last word of the line end at a
        // delimiter, like every other word.
        if (line.ends_with(kCrLf))
            line.resize(line.size() - kCrLf.size());
        line += ' ';
    } catch (...) {
        showError("Error occured within line2html \r\nUnable to convert line :\r\n*" + line + "*");
        return;
    }
    appendPrepared(line, colours, out);
}

int Colouriser::appendSourceLines(std::string &text, bool last, const LineColours &colours, HtmlBuffer &out)
{
    // Each line is prepared where it stands: the first byte of its break
    // becomes the blank that appendLine appends. The word scan reads past
    // the code part of a line, at most into room after the text that is
    // written with zeros, though never taken.
    const std::size_t n = text.size();
    text.append(kReadAhead, '\0');
    text.resize(n);
    int breaks = 0;
    std::size_t start = 0;
    scanBytes(text, '\r', '\n', [&](std::size_t i) {
        if (i < start)
            return true; // the LF of a CR LF
        const std::size_t next = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
        text[i] = ' ';
        appendPrepared(std::string_view(text).substr(start, i + 1 - start), true, colours, out);
        start = next;
        ++breaks;
        return true;
    });
    if (last) {
        // The line the conversion's CR LF ends, empty or not.
        text += ' ';
        appendPrepared(std::string_view(text).substr(start), true, colours, out);
        ++breaks;
    }
    return breaks;
}

void Colouriser::appendPrepared(std::string_view line, const LineColours &colours, HtmlBuffer &out)
{
    appendPrepared(line, false, colours, out);
}

void Colouriser::appendPrepared(std::string_view line, bool readAhead, const LineColours &colours, HtmlBuffer &out)
{
    out.mayHandOn();
    const std::size_t mark = out.position();
    try {
        if (line.size() == 1 && !m_state.commentContinues()) {
            // An empty line: its blank, as the word scan writes it.
            out.put(std::string_view(" \r\n"));
            return;
        }
        std::size_t comment;
        CodeFacts facts;
        facts.readAhead = readAhead;
        if (line.size() >= kLongLine && findOutsideLiterals(line, '(') == std::string_view::npos) {
            // A long line (a file without line breaks, say) is not copied to
            // blank its literals: without a "(" outside them it declares
            // nothing, and its comment is found in place.
            comment = findOutsideLiterals(line, '\'');
            facts.escape = needsEscaping(line); // its comment's text too
        } else {
            // Apostrophes inside string literals do not start a comment. A
            // line whose first quote or apostrophe is an apostrophe has no
            // literal to blank (its comment starts there). One look at the
            // line tells that, whether it can declare anything and whether
            // its text needs escaping.
            const LineBytes bytes = lookAt(line, readAhead);
            const std::size_t first = bytes.firstQuoteOrApostrophe;
            std::string_view codeOnly = line;
            if (first != std::string_view::npos && line[first] == '"') {
                codeOnly = codeOnlyOf(line);
                comment = codeOnly.find('\'');
            } else {
                comment = first;
            }
            // The comment's bytes count too: escaping more, or asking the
            // whole list, changes nothing.
            facts.escape = bytes.escape;
            facts.plainWords = !bytes.starOrZero;
            if (bytes.paren) {
                if (const auto declared = findDeclaration(codeOnly, comment)) {
                    out.put(std::string_view("<A NAME='"));
                    out.put(escapeHtmlName(m_state.record(declared->kind, declared->name)));
                    out.put(std::string_view("'></A>\r\n"));
                }
            }
        }
        if (m_state.commentContinues())
            comment = 0;
        m_state.setCommentContinues(false);
        const std::size_t codeLength = comment == std::string::npos ? line.size() : comment;

        const bool sectionEnd = appendCodeHtml(out, line, codeLength, colours.words, facts);

        if (comment != std::string::npos) {
            std::string_view text = std::string_view(line).substr(comment, line.size() - 1 - comment);
            // A comment ending in " _" goes on in the next line; the
            // underscore is written after the comment's FONT element.
            const bool continues = text.ends_with(" _");
            if (continues) {
                m_state.setCommentContinues(true);
                text.remove_suffix(1);
            }
            out.put(colours.commentTag);
            // A long comment is written, and may be handed on, in pieces;
            // one in a line without "<" and "&" as it stands.
            for (std::size_t at = 0; at < text.size(); at += kLongLine) {
                if (facts.escape)
                    appendHtmlText(out, text.substr(at, kLongLine));
                else
                    out.put(text.substr(at, kLongLine));
                out.mayHandOn();
            }
            out.put(std::string_view("</FONT>"));
            if (continues)
                out.put('_');
        }
        out.put(kCrLf);
        if (sectionEnd)
            out.put(std::string_view("'<hr>\r\n"));
    } catch (...) {
        // Part of a long line handed on cannot be taken back: the error is
        // the caller's.
        if (!out.truncate(mark))
            throw;
        showError("Error occured within line2html \r\nUnable to convert line :\r\n*" + std::string(line) + "*");
    }
}

std::string Colouriser::GetLineText(TextControl &source, int &lineNumber)
{
    std::string text;
    readLine(source, lineNumber, text);
    return text;
}

void Colouriser::readLine(TextControl &source, int &lineNumber, std::string &out)
{
    out.clear();
    try {
        if (lineNumber == 0)
            lineNumber = source.lineFromChar(-1) + 1;
        if (lineNumber < 1)
            return;
        source.selectLine(lineNumber - 1, out);
    } catch (...) {
        out.clear();
        showError("Error NO  : GetLineText");
    }
}

std::string Colouriser::GetCodeOnly(std::string_view line)
{
    try {
        std::string codeOnly(line);
        blankStringLiterals(codeOnly);
        return codeOnly;
    } catch (...) {
        showError("Error NO  : GetCodeOnly");
        return {};
    }
}

bool Colouriser::FunctionExists(std::string line)
{
    try {
        const auto name = declaredName(line, Declaration::Function);
        if (name)
            m_state.record(Declaration::Function, *name);
        return name.has_value();
    } catch (...) {
        showError("Error NO  : FunctionExists");
        return false;
    }
}

bool Colouriser::SubExists(std::string line)
{
    const auto name = declaredName(line, Declaration::Sub);
    if (name)
        m_state.record(Declaration::Sub, *name);
    return name.has_value();
}

bool Colouriser::IsKeyWord(std::string_view word)
{
    try {
        return inKeyWordList(word);
    } catch (...) {
        showError("Error NO  : IsKeyWord");
        return false;
    }
}

void Colouriser::showError(const std::string &text)
{
    m_messages.show(text, Buttons::Ok, Icon::Critical);
}

} // namespace quorbel
