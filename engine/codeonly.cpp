#include "engine/codeonly.h"

#include "engine/asciicase.h"
#include "engine/blockmasks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quorbel {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Position of needle (lower case, ending with a blank) in text, ASCII
// letters compared without regard to case. Candidates are taken at the
// needle's closing blank, which most bytes of a line are not.
std::size_t findFolded(std::string_view text, std::string_view needle)
{
    const std::size_t stem = needle.size() - 1;
    for (std::size_t end = stem; end < text.size(); ++end) {
        if (text[end] != ' ')
            continue;
        std::size_t k = 0;
        while (k < stem && asciiLower(text[end - stem + k]) == needle[k])
            ++k;
        if (k == stem)
            return end - stem;
    }
    return npos;
}

// Whether the bytes of text just before end, folded, are stem.
bool endsFolded(std::string_view text, std::size_t end, std::string_view stem)
{
    if (end < stem.size())
        return false;
    for (std::size_t k = 0; k < stem.size(); ++k) {
        if (asciiLower(text[end - stem.size() + k]) != stem[k])
            return false;
    }
    return true;
}

} // namespace

void blankStringLiterals(std::string &line)
{
    std::size_t open = line.find('"');
    // A comment that starts before any literal leaves the line as it is;
    // once a literal has been blanked, apostrophes no longer stop the scan.
    if (open == npos || line.find('\'') < open)
        return;
    while (open != npos) {
        const std::size_t close = line.find('"', open + 1);
        if (close == npos)
            return;
        std::fill(line.begin() + static_cast<std::ptrdiff_t>(open + 1),
                  line.begin() + static_cast<std::ptrdiff_t>(close), ' ');
        open = close + 2 < line.size() ? line.find('"', close + 2) : npos;
    }
}

std::size_t findOutsideLiterals(std::string_view line, char c)
{
    // The same walk over the literals as blankStringLiterals: only the
    // inside of each literal it would blank is passed over.
    std::size_t open = line.find('"');
    if (open == npos || line.find('\'') < open)
        return line.find(c);
    std::size_t from = 0;
    while (open != npos) {
        const std::size_t found = line.substr(0, open).find(c, from);
        if (found != npos)
            return found;
        const std::size_t close = line.find('"', open + 1);
        if (close == npos)
            return line.find(c, open);
        from = close;
        open = close + 2 < line.size() ? line.find('"', close + 2) : npos;
    }
    return line.find(c, from);
}

std::optional<std::string_view> declaredName(std::string_view codeOnly, Declaration kind)
{
    const std::size_t apostrophe = codeOnly.find('\'');
    if (apostrophe != npos)
        codeOnly = codeOnly.substr(0, apostrophe + 1);
    const std::string_view keyword = kind == Declaration::Function ? "function " : "sub ";
    const std::size_t found = findFolded(codeOnly, keyword);
    if (found == npos)
        return std::nullopt;
    if (kind == Declaration::Function && findFolded(codeOnly, "declare ") != npos)
        return std::nullopt;
    const std::size_t start = found + keyword.size();
    const std::size_t paren = codeOnly.find('(', start);
    if (paren == npos)
        return std::nullopt;
    return codeOnly.substr(start, paren - start);
}

std::optional<DeclaredName> findDeclaration(std::string_view codeOnly)
{
    return findDeclaration(codeOnly, codeOnly.find('\''));
}

std::optional<DeclaredName> findDeclaration(std::string_view codeOnly, std::size_t apostrophe)
{
    if (apostrophe != npos)
        codeOnly = codeOnly.substr(0, apostrophe + 1);
    // A name ends at a "(" after the keyword's blank, so only blanks before
    // the last "(" can end a keyword that declares anything; most lines have
    // no "(" at all and cost one search.
    // (string_view::rfind goes byte by byte; memrchr a block at a time.)
    const void *paren = codeOnly.empty() ? nullptr : memrchr(codeOnly.data(), '(', codeOnly.size());
    if (paren == nullptr)
        return std::nullopt;
    const std::size_t lastParen = static_cast<std::size_t>(static_cast<const char *>(paren) - codeOnly.data());
    // The keywords end in "b " and "n ": only a letter k before a blank is
    // looked at, the blank before the last "(" (k + 1 < lastParen, k >= 2).
    std::size_t function = npos;
    std::size_t sub = npos;
    const auto endsKeyword = [&](std::size_t k) {
        const char before = asciiLower(codeOnly[k]);
        if (before == 'b' && endsFolded(codeOnly, k, "su")) {
            sub = k + 2;
            return true;
        }
        if (before == 'n' && function == npos && endsFolded(codeOnly, k, "functio"))
            function = k + 2;
        return false;
    };
    const std::size_t end = lastParen > 0 ? lastParen - 1 : 0; // k < end
    // The letters k to k + 15 whose bits are set in ends, those before end.
    const auto visit = [&](std::size_t k, std::uint32_t ends) {
        if (end - k < 16)
            ends &= (1u << (end - k)) - 1;
        for (; ends != 0; ends &= ends - 1) {
            if (endsKeyword(k + static_cast<std::size_t>(std::countr_zero(ends))))
                return;
        }
    };
    // Sixteen letters at a time, each test reading seventeen bytes of the
    // line; the last letters in a test that ends with the line, the letters
    // before k shifted out.
    std::size_t k = 2;
    for (; k < end && k + 17 <= codeOnly.size() && sub == npos; k += 16)
        visit(k, masks::letterBeforeBlank(codeOnly.data() + k));
    if (k < end && sub == npos) {
        if (codeOnly.size() >= 17) {
            const std::size_t last = codeOnly.size() - 17; // before k
            visit(k, masks::letterBeforeBlank(codeOnly.data() + last) >> (k - last));
        } else {
            for (; k < end && sub == npos; ++k) {
                if (codeOnly[k + 1] == ' ')
                    endsKeyword(k);
            }
        }
    }
    if (sub != npos)
        return DeclaredName{Declaration::Sub, codeOnly.substr(sub, codeOnly.find('(', sub) - sub)};
    if (function == npos || findFolded(codeOnly, "declare ") != npos)
        return std::nullopt;
    return DeclaredName{Declaration::Function, codeOnly.substr(function, codeOnly.find('(', function) - function)};
}

} // namespace quorbel
