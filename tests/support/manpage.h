#pragma once

// Reading a manual page's troff source the way its reader sees the page:
// its escapes undone, its sections, the options it names.

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace quorbel::testing {

// The text of the page as it reads: the escapes the page uses undone.
inline std::string unescapeTroff(std::string text)
{
    const std::pair<std::string, std::string> escapes[] = {{"\\-", "-"}, {"\\(aq", "'"}, {"\\e", "\\"}, {"\\ ", " "}};
    for (const auto &[from, to] : escapes) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    }
    return text;
}

// The lines between the section heading ".SH name" and the next one.
inline std::vector<std::string> section(const std::string &page, const std::string &name)
{
    std::vector<std::string> lines;
    std::istringstream in(page);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(".SH "))
            inside = line == ".SH " + name || line == ".SH \"" + name + "\"";
        else if (inside)
            lines.push_back(line);
    }
    return lines;
}

// Options as a reader meets them: one or two dashes and a word of lower
// case letters and inner dashes, at the start of a word.
inline std::set<std::string> optionsIn(const std::string &text)
{
    const auto isLetter = [](char c) { return c >= 'a' && c <= 'z'; };
    const std::string wordStarts = " \t\n([|,\"";
    std::set<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '-' || (i > 0 && wordStarts.find(text[i - 1]) == std::string::npos))
            continue;
        std::size_t end = i + 1;
        if (end < text.size() && text[end] == '-')
            ++end;
        if (end >= text.size() || !isLetter(text[end]))
            continue;
        while (end < text.size() && (isLetter(text[end]) || text[end] == '-'))
            ++end;
        while (text[end - 1] == '-')
            --end;
        found.insert(text.substr(i, end - i));
        i = end;
    }
    return found;
}

} // namespace quorbel::testing
