#include "engine/wordhtml.h"

#include "engine/asciicase.h"
#include "engine/blockmasks.h"
#include "engine/bytescan.h"
#include "engine/htmlbuffer.h"
#include "engine/keywordlist.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace quorbel {
namespace {

// Bit k is set when p[k] is a byte the scan stops at, for the 16 bytes at
// p: the delimiters . , ( ) blank / \ [ ] CR, the double quote (a string
// literal opens or closes) and the colon (a label ends). Every other byte
// only extends the current word, so lines are scanned 16 bytes at a time
// and only the stops are visited.
inline std::uint32_t stopsIn(const char *p)
{
    return masks::wordStops(p);
}

// The end of an element, and the zero after it: written in one eight-byte
// move, of which the first seven bytes are kept.
constexpr char kFontEndBlock[] = "</FONT>";
static_assert(sizeof kFontEndBlock == 8);
constexpr std::string_view kFontEnd(kFontEndBlock, sizeof kFontEndBlock - 1);

// The small steps of the scan are lambdas over its local state; they must
// be inlined for that state to stay in registers.
#if defined(__GNUC__)
#define QUORBEL_INLINE __attribute__((always_inline))
#else
#define QUORBEL_INLINE
#endif

// The upper case of word is "GOTO".
bool isGoTo(std::string_view word)
{
    return equalsAsciiCaseBlind(word, "goto");
}

// Numbers, string literals and operators: the first character after leading
// blanks is one of " # $ % & ' ( ) * + , - . / 0-9 : ; < = >.
[[gnu::always_inline]] inline bool isPlainWord(std::string_view word)
{
    const std::size_t first = !word.empty() && word[0] != ' ' ? 0 : word.find_first_not_of(' ');
    return first != std::string_view::npos && word[first] >= 34 && word[first] <= 62;
}

// Room reserved beyond what a line can need: a tag and the element's end
// are written in whole blocks, which may reach past what is kept.
constexpr std::size_t kSlack = WordColours::kTagBlock + 8;

// A long line (a file without line breaks, say) is written kSegment bytes
// of code at a time, each segment in room of its own, and its HTML may be
// handed on between segments; a word longer than kLongWord is written in
// pieces the same way. A shorter line is written in room reserved once.
constexpr std::size_t kLongLine = std::size_t{1} << 16;
constexpr std::size_t kSegment = std::size_t{1} << 12; // a multiple of 16
constexpr std::size_t kLongWord = std::size_t{1} << 14;

// Code text: "<" becomes "&lt;" and "&" becomes "&amp;" (when escape; most
// lines hold neither and are copied without a look). Returns the end.
[[gnu::always_inline]] inline char *putText(char *next, std::string_view word, bool escape)
{
    if (!escape) {
        copyBytes(next, word.data(), word.size());
        return next + word.size();
    }
    for (const char c : word) {
        if (c == '<') {
            std::memcpy(next, "&lt;", 4);
            next += 4;
        } else if (c == '&') {
            std::memcpy(next, "&amp;", 5);
            next += 5;
        } else {
            *next++ = c;
        }
    }
    return next;
}

// Writes a word longer than kLongWord from next on, kLongWord bytes at a
// time, each piece in room of its own with a chance to hand on before it;
// then reserves room bytes and returns where writing goes on.
[[gnu::noinline]] char *putLongText(HtmlBuffer &out, char *next, std::string_view word, bool escape, std::size_t room)
{
    out.commit(next);
    for (std::size_t at = 0; at < word.size(); at += kLongWord) {
        const std::string_view piece = word.substr(at, kLongWord);
        out.mayHandOn();
        out.commit(putText(out.reserve(5 * piece.size()), piece, escape));
    }
    out.mayHandOn();
    return out.reserve(room + kSlack);
}

} // namespace

// One pass over the stops of the line. The current word is always the bytes
// [wordStart, i) of the line: a word grows by the next byte, and a delimiter
// carried over to the next word is the byte just before it, so no word is
// ever copied, and the scan's state stays valid when its HTML is handed on
// between segments. The state lives in local variables and the output goes
// through a local pointer into reserved room, so that the compiler keeps
// both in registers (a store through a char pointer could otherwise change
// any member of an object, which would then be reloaded).
bool appendCodeHtml(HtmlBuffer &out, std::string_view line, std::size_t codeLength, const WordColours &colours,
                    const CodeFacts &facts)
{
    if (line.empty() || codeLength == 0)
        return false;
    if (facts.readAhead && codeLength <= 16) {
        // A code part of blanks alone (the indentation before a comment, a
        // line of blanks) is written as it stands.
        const std::uint32_t part = (std::uint32_t{1} << codeLength) - 1;
        if ((masks::eitherByte(line.data(), ' ', ' ') & part) == part) {
            out.put(line.substr(0, codeLength));
            return false;
        }
    }
    // Each byte of the code is written once, at most five bytes long
    // ("&amp;"), and each delimiter and the end of the code finish at most
    // one word, in at most one FONT element. A segment of a long line writes
    // its own bytes, those of a word begun before it (at most kLongWord;
    // a longer one takes room of its own) and an element for each of its
    // stops and for the end of the code.
    const std::size_t element = std::max(colours.keyTag.size(), colours.idTag.size()) + kFontEnd.size();
    const bool longLine = codeLength >= kLongLine;
    const std::size_t segment = longLine ? kSegment : codeLength;
    const std::size_t longWord = longLine ? kLongWord : codeLength;
    const std::size_t reserved =
        longLine ? 5 * (kSegment + kLongWord) + (kSegment + 1) * element : 5 * codeLength + (codeLength + 1) * element;
    const bool escape = facts.escape;
    const bool plainWords = facts.plainWords;
    const char *const bytes = line.data();
    char *room = out.reserve(reserved + kSlack);
    char *next = room;
    // Past the room means memory after it was overwritten: stop at once.
    const auto checkRoom = [&]() QUORBEL_INLINE {
        if (static_cast<std::size_t>(next - room) > reserved)
            std::abort();
    };

    const std::size_t lastPosition = line.size() - 1; // the appended blank
    const std::string_view keyTag = colours.keyTag;
    const std::string_view idTag = colours.idTag;

    std::size_t wordStart = 0;
    std::string_view lastWord;
    bool afterGoTo = false; // lastWord is a GoTo
    bool inString = false;
    bool bracketMode = false;
    bool sectionEnd = false;

    const auto text = [&](std::string_view word) QUORBEL_INLINE {
        if (word.size() > longWord) [[unlikely]] {
            checkRoom();
            room = next = putLongText(out, next, word, escape, reserved);
            return;
        }
        next = putText(next, word, escape);
    };
    const bool tagBlocks = colours.blocks;
    const auto coloured = [&](std::string_view tag, const char *block, std::string_view word) QUORBEL_INLINE {
        if (tagBlocks)
            std::memcpy(next, block, WordColours::kTagBlock);
        else
            copyBytes(next, tag.data(), tag.size());
        next += tag.size();
        text(word);
        std::memcpy(next, kFontEndBlock, sizeof kFontEndBlock);
        next += kFontEnd.size();
    };
    const auto setLastWord = [&](std::string_view word) QUORBEL_INLINE {
        lastWord = word;
        afterGoTo = isGoTo(word);
    };
    // A word that a delimiter ends, outside bracket mode: a keyword or an
    // identifier in its colour, a plain word as it is. The appended blank is
    // written after a plain word but not after a coloured one.
    const auto classify = [&](std::string_view word, char delimiter, bool hasDelimiter, bool atLineEnd) QUORBEL_INLINE {
        if (lastWord == "End" && (word == "Function" || word == "Sub"))
            sectionEnd = true;
        if (plainWords ? inKeyWordListWithoutStars(word) : inKeyWordList(word)) {
            coloured(keyTag, colours.keyBlock, word);
        } else if (isPlainWord(word)) {
            text(word);
            if (hasDelimiter)
                *next++ = delimiter;
            return;
        } else {
            coloured(idTag, colours.idBlock, word);
        }
        if (hasDelimiter && !atLineEnd)
            *next++ = delimiter;
    };

    for (std::size_t from = 0; from < codeLength; from += segment) {
        if (from != 0) {
            // The next segment of a long line, in fresh room.
            checkRoom();
            out.commit(next);
            out.mayHandOn();
            room = next = out.reserve(reserved + kSlack);
        }
        const std::size_t to = std::min(codeLength, from + segment);
        for (std::size_t block = from; block < to; block += 16) {
            // The last bytes: what lies past the code part is left out of
            // the masks when it may be read, else they are padded with
            // zeros (no stop, no blank).
            char tail[16];
            const char *blockBytes = bytes + block;
            std::uint32_t valid = 0xFFFF;
            if (codeLength - block < 16) {
                if (facts.readAhead) {
                    valid = (1u << (codeLength - block)) - 1;
                } else {
                    std::memset(tail, 0, sizeof tail);
                    copyBytes(tail, bytes + block, codeLength - block);
                    blockBytes = tail;
                }
            }
            std::uint32_t stops = stopsIn(blockBytes) & valid;
            for (; stops != 0; stops &= stops - 1) {
                const std::size_t i = block + static_cast<std::size_t>(std::countr_zero(stops));
                const char c = bytes[i];
                if (c == '"') {
                    inString = !inString;
                    continue;
                }
                const std::string_view word(bytes + wordStart, i - wordStart);
                if (word.empty() && !inString && !afterGoTo && !bracketMode && c != '[' && c != ':') {
                    // Most stops: a blank of the indentation, or a
                    // delimiter right after another. Written as it is; a
                    // run of blanks in the block (the state stays the
                    // same for each of them) is written in one piece.
                    const std::uint32_t bit = static_cast<std::uint32_t>(i - block);
                    std::size_t run = 1;
                    if (c == ' ' && (stops & (2u << bit)) != 0) {
                        const std::uint32_t blanks = masks::eitherByte(blockBytes, ' ', ' ') & valid;
                        run = static_cast<std::size_t>(std::countr_one(blanks >> bit));
                        // Leaves the last blank's bit for the loop to clear.
                        stops &= ~((1u << (bit + run - 1)) - 1);
                        copyBytes(next, bytes + i, run);
                    } else {
                        *next = c;
                    }
                    next += run;
                    lastWord = word;
                    wordStart = i + run;
                    continue;
                }
                if (!(inString | afterGoTo | bracketMode) && c != ':' && c != '[' &&
                    (word.size() != 1 || (word[0] != '_' && word[0] != ' ' && word[0] != '\r'))) {
                    // Most words: a keyword, an identifier or a plain word
                    // that a delimiter ends (the tests below, in one).
                    classify(word, c, true, i == lastPosition);
                    setLastWord(word);
                    wordStart = i + 1;
                    continue;
                }
                if (c == ':') {
                    // A label or a statement separator ends the word
                    // uncoloured.
                    text(word);
                    setLastWord(word);
                    wordStart = i;
                    continue;
                }
                if (inString)
                    continue; // a delimiter inside a literal is part of the word
                if (afterGoTo || word == "_") {
                    // A jump target or a continuation underscore is
                    // written as it is; the delimiter starts the next word.
                    text(word);
                    setLastWord(word);
                    wordStart = i;
                    continue;
                }
                if (c == '[')
                    bracketMode = true;
                if (bracketMode) {
                    // Whatever it is, even empty, the word is an identifier.
                    coloured(idTag, colours.idBlock, word);
                    if (i != lastPosition)
                        *next++ = c;
                    if (c == ']')
                        bracketMode = false;
                } else if (word.empty() || word == " " || word == "\r") {
                    text(word);
                    *next++ = c;
                } else {
                    classify(word, c, true, i == lastPosition);
                }
                setLastWord(word);
                wordStart = i + 1;
            }
        }
    }

    // The code part can end inside a word: code that runs into its comment,
    // or a delimiter carried after a jump target. It is finished as if a
    // delimiter followed, but none is written.
    const std::string_view word(bytes + wordStart, codeLength - wordStart);
    if (!word.empty()) {
        if (afterGoTo || word == "_" || (!bracketMode && (word == " " || word == "\r")))
            text(word);
        else if (bracketMode)
            coloured(idTag, colours.idBlock, word);
        else
            classify(word, 0, false, false);
    }
    checkRoom();
    out.commit(next);
    return sectionEnd;
}

std::string fontTag(std::string_view colour)
{
    std::string tag = "<FONT COLOR=#";
    tag += colour;
    tag += '>';
    return tag;
}

} // namespace quorbel
