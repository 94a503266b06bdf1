#include "engine/wordscan.h"

#include "engine/htmlescape.h"
#include "engine/keywordlist.h"

#include <array>
#include <cstring>
#include <optional>

namespace quorbel {
namespace {

constexpr std::array<bool, 256> kDelimiters = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : std::string_view(".,() /\\[]\r"))
        table[c] = true;
    return table;
}();

bool isGoTo(std::string_view word)
{
    if (word.size() != 4)
        return false;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; };
    return upper(word[0]) == 'G' && upper(word[1]) == 'O' && upper(word[2]) == 'T' && upper(word[3]) == 'O';
}

// Numbers, string literals and operators: the first character after leading
// blanks is one of " # $ % & ' ( ) * + , - . / 0-9 : ; < = >.
bool isPlainWord(std::string_view word)
{
    const std::size_t first = word.find_first_not_of(' ');
    return first != std::string_view::npos && word[first] >= 34 && word[first] <= 62;
}

// One line's scan. The current word is always the bytes [m_wordStart, i) of
// the line: a word grows by the next byte, and a delimiter carried over to
// the next word is the byte just before it, so no word is ever copied.
class WordScan {
public:
    WordScan(std::string &out, std::string_view line, std::size_t codeLength, const WordColours &colours)
        : m_out(out), m_line(line), m_colours(colours),
          m_escape(std::memchr(line.data(), '<', codeLength) || std::memchr(line.data(), '&', codeLength))
    {
    }

    bool run(std::size_t codeLength)
    {
        const std::size_t lastPosition = m_line.size() - 1; // the appended blank
        for (std::size_t i = 0; i < codeLength; ++i) {
            const char c = m_line[i];
            if (!kDelimiters[static_cast<unsigned char>(c)] || m_inString) {
                if (c == '"') {
                    m_inString = !m_inString;
                } else if (c == ':') {
                    // A label or a statement separator ends the word uncoloured.
                    const std::string_view word = wordBefore(i);
                    text(word);
                    m_lastWord = word;
                    m_wordStart = i;
                }
                continue;
            }
            delimiter(i, c, i == lastPosition);
        }
        // The code part can end inside a word: code that runs into its
        // comment, or a delimiter carried after a jump target.
        const std::string_view word = wordBefore(codeLength);
        if (!word.empty())
            finish(word, std::nullopt, false);
        return m_sectionEnd;
    }

private:
    std::string_view wordBefore(std::size_t i) const { return m_line.substr(m_wordStart, i - m_wordStart); }

    void delimiter(std::size_t i, char c, bool atLineEnd)
    {
        const std::string_view word = wordBefore(i);
        if (isGoTo(m_lastWord) || word == "_") {
            // A jump target or a continuation underscore is written as it
            // is; the delimiter starts the next word.
            text(word);
            m_lastWord = word;
            m_wordStart = i;
            return;
        }
        if (c == '[')
            m_bracketMode = true;
        if (!m_bracketMode && (word.empty() || word == " " || word == "\r")) {
            text(word);
            m_out += c;
            m_lastWord = word;
            m_wordStart = i + 1;
            return;
        }
        finish(word, c, atLineEnd);
        m_lastWord = word;
        m_wordStart = i + 1;
        if (c == ']')
            m_bracketMode = false;
    }

    // Writes a word that a delimiter (or the end of the code part, when
    // delimiter is empty) ends. The appended blank is written after a plain
    // word but not after a coloured one.
    void finish(std::string_view word, std::optional<char> delimiter, bool atLineEnd)
    {
        if (!delimiter && (isGoTo(m_lastWord) || word == "_")) {
            text(word);
            return;
        }
        if (m_bracketMode) {
            coloured(m_colours.idTag, word);
        } else if (!delimiter && (word == " " || word == "\r")) {
            text(word);
            return;
        } else {
            if ((word == "Function" || word == "Sub") && m_lastWord == "End")
                m_sectionEnd = true;
            if (inKeyWordList(word)) {
                coloured(m_colours.keyTag, word);
            } else if (isPlainWord(word)) {
                text(word);
                if (delimiter)
                    m_out += *delimiter;
                return;
            } else {
                coloured(m_colours.idTag, word);
            }
        }
        if (delimiter && !atLineEnd)
            m_out += *delimiter;
    }

    void coloured(std::string_view tag, std::string_view word)
    {
        m_out += tag;
        text(word);
        m_out += "</FONT>";
    }

    // Most lines hold neither "<" nor "&" and are copied without a look.
    void text(std::string_view word)
    {
        if (m_escape)
            appendHtmlText(m_out, word);
        else
            m_out += word;
    }

    std::string &m_out;
    const std::string_view m_line;
    const WordColours &m_colours;
    const bool m_escape;
    std::size_t m_wordStart = 0;
    std::string_view m_lastWord;
    bool m_inString = false;
    bool m_bracketMode = false;
    bool m_sectionEnd = false;
};

} // namespace

bool appendCodeHtml(std::string &out, std::string_view line, std::size_t codeLength, const WordColours &colours)
{
    if (line.empty())
        return false;
    return WordScan(out, line, codeLength, colours).run(codeLength);
}

std::string fontTag(std::string_view colour)
{
    std::string tag = "<FONT COLOR=#";
    tag += colour;
    tag += '>';
    return tag;
}

} // namespace quorbel
