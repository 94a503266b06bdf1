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
    // A page lists thousands of names, nearly all plain identifiers: the
    // runs between the characters to escape are copied in one piece each.
    std::string out;
    out.reserve(name.size());
    std::size_t run = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        std::string_view entity;
        switch (name[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '\'':
            entity = "&#39;";
            break;
        case '"':
            entity = "&quot;";
            break;
        default:
            continue;
        }
        out.append(name.substr(run, i - run)).append(entity);
        run = i + 1;
    }
    out.append(name.substr(run));
    return out;
}

} // namespace quorbel
