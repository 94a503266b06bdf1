#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::project {

enum class TokenKind { Word, Number, String, Symbol };

// One token of a line of code: where it stands in the line and what it is.
// Comments make no tokens.
struct Token {
    TokenKind kind;
    std::size_t offset;
    std::size_t length;
};

enum class ProcedureKind { Sub, Function, PropertyGet, PropertyLet, PropertySet };

// A line that opens a procedure.
struct ProcedureStart {
    ProcedureKind kind;
    bool isPublic;    // Public, Global, Friend or no scope word; not Private
    std::size_t name; // index of the name's token
};

// What one line of a module is, read as the compiler reads it as far as a
// line alone allows, with what the lines before it leave: the designer
// block that opens a form (skipped), a comment continued with "_", a
// statement continued with "_", the procedure the line stands in, Type and
// Enum blocks.
struct CodeLine {
    std::string_view text;
    std::vector<Token> tokens; // empty for a designer, comment or blank line
    std::optional<ProcedureStart> start;
    std::optional<std::size_t> label; // index of the line label's token
    bool endsProcedure = false;
    bool inProcedure = false; // the line stands in a procedure (its first and last line included)
    bool inTypeBlock = false; // the line stands in a Type or Enum block
    bool continued = false;   // the line continues the statement of the line before

    std::string_view word(std::size_t index) const { return text.substr(tokens[index].offset, tokens[index].length); }
    // Whether token index is the word w (any case).
    bool is(std::size_t index, std::string_view w) const;
};

// Reads the lines of one module in order. A line given without its line
// break; a line that holds nothing but blanks changes nothing (the page's
// anchor lines), nor does a line of a single apostrophe (the rule after a
// procedure on a page).
class CodeReader {
public:
    CodeLine read(std::string_view line);

private:
    enum class Designer { Unknown, Inside, Over };
    Designer m_designer = Designer::Unknown;
    bool m_commentContinues = false;
    bool m_statementContinues = false;
    bool m_inProcedure = false;
    bool m_inTypeBlock = false;
};

} // namespace quorbel::project
