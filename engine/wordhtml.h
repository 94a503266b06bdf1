#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorbel {

class HtmlBuffer;

// The opening FONT tag of a colour string (written into the HTML unchanged).
std::string fontTag(std::string_view colour);

// The opening tags of keywords and identifiers, built once per conversion.
// Tags of up to kTagBlock bytes (those of colours written as "#RRGGBB" have
// twenty) are also kept in blocks of that size, written whole: the bytes
// after a tag are written over by what follows it.
struct WordColours {
    static constexpr std::size_t kTagBlock = 32;
    WordColours(std::string_view key, std::string_view id) : keyTag(fontTag(key)), idTag(fontTag(id))
    {
        blocks = keyTag.size() <= kTagBlock && idTag.size() <= kTagBlock;
        if (blocks) {
            keyTag.copy(keyBlock, keyTag.size());
            idTag.copy(idBlock, idTag.size());
        }
    }
    std::string keyTag;
    std::string idTag;
    bool blocks = false;
    char keyBlock[kTagBlock] = {};
    char idBlock[kTagBlock] = {};
};

// What the caller knows of the code part of a line (see appendCodeHtml).
struct CodeFacts {
    // False only when the code part holds neither "<" nor "&" (most lines;
    // their words are then copied without a look).
    bool escape = true;
    // True only when it holds neither an asterisk nor a zero byte.
    bool plainWords = false;
    // The 15 bytes after the code part may be read (the line goes on, or
    // the room after it was written): its last bytes are then looked at in
    // place, their values past the code part ignored.
    bool readAhead = false;
};

// Appends the HTML of the code part of a prepared line (a line whose break
// has been replaced by one blank) to out: the first codeLength bytes of line
// are split into words at the delimiters . , ( ) blank / \ [ ] and CR, and
// each word is written plain or in the keyword or identifier colour. Text
// is escaped with appendHtmlText. A delimiter inside a string literal, and
// any byte of 0x80 or above, never ends a word.
//
// Returns true when the words "Function" or "Sub" followed "End" (exact
// case): the line ends a procedure.
bool appendCodeHtml(HtmlBuffer &out, std::string_view line, std::size_t codeLength, const WordColours &colours,
                    const CodeFacts &facts);

} // namespace quorbel
