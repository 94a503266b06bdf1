#include "engine/codeonly.h"

#include <algorithm>

namespace quorbel {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Position of needle (lower case, ending with a blank) in text, ASCII
// letters compared without regard to case. Candidates are taken at the
// needle's closing blank, which most bytes of a line are not.
std::size_t findFolded(std::string_view text, std::string_view needle)
{
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    const std::size_t stem = needle.size() - 1;
    for (std::size_t end = stem; end < text.size(); ++end) {
        if (text[end] != ' ')
            continue;
        std::size_t k = 0;
        while (k < stem && fold(text[end - stem + k]) == needle[k])
            ++k;
        if (k == stem)
            return end - stem;
    }
    return npos;
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
        std::fill(line.begin() + static_cast<std::ptrdiff_t>(open + 1), line.begin() + static_cast<std::ptrdiff_t>(close),
                  ' ');
        open = close + 2 < line.size() ? line.find('"', close + 2) : npos;
    }
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

} // namespace quorbel
