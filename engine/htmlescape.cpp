#include "engine/htmlescape.h"

#include "engine/htmlbuffer.h"

namespace quorbel {
namespace {

// Copies the runs between the characters to escape in one piece each.
template<typename Out>
void appendEscaped(Out &out, std::string_view text)
{
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '<' && c != '&')
            continue;
        out.append(text.substr(run, i - run));
        out.append(c == '<' ? std::string_view("&lt;") : std::string_view("&amp;"));
        run = i + 1;
    }
    out.append(text.substr(run));
}

struct BufferAppender {
    HtmlBuffer &buffer;
    void append(std::string_view text) { buffer.put(text); }
};

} // namespace

void appendHtmlText(std::string &out, std::string_view text)
{
    appendEscaped(out, text);
}

void appendHtmlText(HtmlBuffer &out, std::string_view text)
{
    BufferAppender appender{out};
    appendEscaped(appender, text);
}

std::string escapeHtmlName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace quorbel
