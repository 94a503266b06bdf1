#include "project/designer.h"

#include "project/blanks.h"

#include "engine/asciicase.h"

namespace quorbel::project {

namespace {

// The first word of text and the rest after the blanks that follow it.
std::pair<std::string_view, std::string_view> firstWord(std::string_view text)
{
    const std::size_t end = text.find_first_of(" \t");
    if (end == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, end), trimmed(text.substr(end))};
}

} // namespace

std::vector<Control> designerControls(std::string_view text)
{
    std::vector<Control> roots;
    std::vector<Control *> open; // the blocks begun and not yet ended
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto [word, rest] = firstWord(line);
        if (equalsAsciiCaseBlind(word, "Begin")) {
            const auto [type, name] = firstWord(rest);
            Control control{std::string(type), std::string(firstWord(name).first), {}};
            std::vector<Control> &siblings = open.empty() ? roots : open.back()->children;
            siblings.push_back(std::move(control));
            open.push_back(&siblings.back());
        } else if (equalsAsciiCaseBlind(word, "End") && rest.empty() && !open.empty()) {
            open.pop_back();
            if (open.empty())
                break; // the designer block is over; the code follows
        } else if (open.empty() && startsWithAsciiCaseBlind(line, "Attribute "))
            break; // code without a designer block
    }
    return roots;
}

} // namespace quorbel::project
