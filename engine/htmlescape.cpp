#include "engine/htmlescape.h"

namespace quorbel {

void appendHtmlText(std::string &out, std::string_view text)
{
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '<' && c != '&')
            continue;
        out.append(text.data() + run, i - run);
        out += c == '<' ? "&lt;" : "&amp;";
        run = i + 1;
    }
    out.append(text.data() + run, text.size() - run);
}

std::string escapeHtmlName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&#39;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace quorbel
