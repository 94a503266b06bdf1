#pragma once

// Reading a manual page's troff source the way its reader sees the page:
// its escapes undone, its sections, the options it names.

#include <regex>
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

// Options as a reader meets them: a word of one or two dashes and letters,
// at the start of a word.
inline std::set<std::string> optionsIn(const std::string &text)
{
    static const std::regex option(R"((^|[\s(\[|,"])(--?[a-z](?:[a-z-]*[a-z])?))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        found.insert((*it)[2]);
    return found;
}

} // namespace quorbel::testing
