#include "fuzz/checks/visibletext.h"

namespace quorbel::fuzz {

std::string visibleText(std::string_view html)
{
    std::string out;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            i = html.find('>', i);
            if (i == std::string_view::npos)
                return out + "<unclosed tag>";
        } else if (html.substr(i, 4) == "&lt;") {
            out += '<';
            i += 3;
        } else if (html.substr(i, 5) == "&amp;") {
            out += '&';
            i += 4;
        } else if (html[i] == '&') {
            out += "<raw &>";
        } else {
            out += html[i];
        }
    }
    return out;
}

std::vector<std::string_view> splitAtCrLf(std::string_view text)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string_view::npos; start = at + 2)
        pieces.push_back(text.substr(start, at - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

} // namespace quorbel::fuzz
