#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// Blanks the inside of the string literals of line in place (the quotes and
// the length stay), so that a search for an apostrophe or a declaration does
// not see text in literals. Quotes pair from the left; when the line's first
// apostrophe comes before its first quote nothing is blanked. After a closing
// quote one character is skipped, so the second quote of a doubled quote
// ("") is not taken as an opening quote.
void blankStringLiterals(std::string &line);
// Where c (neither a blank nor a quote) first stands in line once its
// literals are blanked as blankStringLiterals blanks them, npos when
// nowhere; the line is not copied.
std::size_t findOutsideLiterals(std::string_view line, char c);

enum class Declaration { Function, Sub };

// The name a line declares, read from the line with its literals blanked:
// the text from after "Function " ("Sub ") up to the next "(", both found
// anywhere in the line without regard to case, in the part up to and
// including its first apostrophe. Blanks are kept. No Function is declared
// by a line holding "Declare "; a Sub is. The view points into codeOnly.
std::optional<std::string_view> declaredName(std::string_view codeOnly, Declaration kind);

struct DeclaredName {
    Declaration kind;
    std::string_view name; // points into codeOnly
};

// The declaration a line is taken for: its Sub when declaredName finds one,
// else its Function, else nothing. One pass over the line for both.
std::optional<DeclaredName> findDeclaration(std::string_view codeOnly);
// The same for a caller that has looked for the first apostrophe of
// codeOnly already: apostrophe is where it stands, npos when nowhere.
std::optional<DeclaredName> findDeclaration(std::string_view codeOnly, std::size_t apostrophe);

} // namespace quorbel
