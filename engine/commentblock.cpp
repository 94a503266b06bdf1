#include "engine/commentblock.h"

#include "engine/conversionerror.h"
#include "engine/htmlescape.h"
#include "engine/pagestate.h"
#include "engine/productaddresses.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "platform/clock.h"
#include "platform/messageboxes.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace quorbel {

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool isDecimal(std::string_view text, bool fractionAllowed)
{
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    bool digits = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && fractionAllowed && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

[[noreturn]] void badSetting(std::string_view key, std::string_view value, std::string_view needed)
{
    throw ConversionError("bad setting value: " + std::string(key) + " = \"" + std::string(value) + "\" (" +
                          std::string(needed) + " is needed)");
}

// The font size text: the stored size plus 4, in the number form the page
// has always carried (a leading blank for a number that is not negative).
std::string fontSizeText(const std::string &size)
{
    const std::string_view digits = trimBlanks(size);
    if (!isDecimal(digits, true))
        badSetting(keys::HTMLCommentFontSize, size, "a number");
    double value = 0;
    const char *first = digits.data() + (digits.front() == '+' ? 1 : 0);
    std::from_chars(first, digits.data() + digits.size(), value);
    value += 4;
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, written.ptr);
    return value >= 0 ? " " + text : text;
}

// A META count: a whole number that fits the 16-bit counters of the stored
// tag lists.
int metaCount(std::string_view key, const std::string &value)
{
    const std::string_view digits = trimBlanks(value);
    if (!isDecimal(digits, false))
        badSetting(key, value, "a whole number");
    long count = 0;
    const char *first = digits.data() + (digits.front() == '+' ? 1 : 0);
    const auto parsed = std::from_chars(first, digits.data() + digits.size(), count);
    if (parsed.ec != std::errc() || count > std::numeric_limits<std::int16_t>::max())
        badSetting(key, value, "a whole number up to 32767");
    return static_cast<int>(count);
}

} // namespace

CommentBlock::CommentBlock(const PageState &state, EngineServices services) : m_state(state), m_services(services)
{
}

std::string CommentBlock::setting(std::string_view key) const
{
    return readText(m_services.settings, key, keys::defaultFor(key, keys::Reader::Page));
}

std::string CommentBlock::writeCommentHTML()
{
    std::string block;
    appendCommentHTML(block);
    return block;
}

void CommentBlock::appendCommentHTML(std::string &out)
{
    const std::size_t mark = out.size();
    try {
        const std::string width = setting(keys::HTMLCommentSpecifiedWidth);
        const std::string tableColour = setting(keys::HTMLCommentCommentBG);
        const std::string font = setting(keys::HTMLCommentFontName);
        const std::string size = setting(keys::HTMLCommentFontSize);
        const std::string titleColour = setting(keys::HTMLCommentHeaderBGColor);

        // The names come from the source (a module's VB_Name) and go into
        // the page as text, never as markup.
        const std::string codeName = escapeHtmlName(m_state.CodeName);
        const std::string title = m_state.ProjectName.empty()
                                      ? "Code : " + codeName
                                      : "Project : " + escapeHtmlName(m_state.ProjectName) +
                                            "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; Code : " + codeName;

        if (setting(keys::CommentsPrintCommentsInHTML) == "0")
            return;
        const std::string sizeText = fontSizeText(size);

        // With thousands of names the table is megabytes: it is written in
        // place, into room taken once.
        std::size_t room = 2048;
        for (const auto names : {m_state.subNames(), m_state.functionNames()}) {
            for (const std::string &name : names)
                room += 2 * name.size() + 32;
        }
        out.reserve(out.size() + room);
        // "border: 1px;": without the ";" a browser drops the whole
        // declaration, font family included, and the font setting is lost.
        out.append("<table border='2' cellpadding='2' width='").append(width);
        out.append("%' style='border: 1px; font-family: ").append(font).append("; font-size: ").append(sizeText);
        out.append("pt' bgcolor='").append(tableColour).append("'>\r\n   <tr>\r\n       <td width='100%' ");
        out.append("colspan='2' style='background-color:").append(titleColour).append("'><font size='6'><Center> ");
        out.append(title).append("</Font></Center></td>\r\n   </tr>");
        appendRows(out);
        out.append(kCrLf).append("</table>").append(kCrLf);
    } catch (const std::exception &) {
        out.resize(mark);
        m_services.messages.show("Error No  :  writeCommentHTML ", Buttons::Ok, Icon::Critical);
    }
}

void CommentBlock::appendRows(std::string &out)
{
    const std::size_t rows = out.size();
    const auto on = [this](std::string_view key) { return setting(key) == "1"; };
    const auto text = [](std::string_view value) { return [value](std::string &to) { to.append(value); }; };
    if (on(keys::CommentsPrintAuthor))
        appendRow(out, rows, "Author :", text(setting(keys::CommentsAuthorInfo)));
    if (on(keys::CommentsPrintDate)) {
        const std::string date = setting(keys::CommentsPrintCurrentDate) == "1" ? m_services.clock.shortDate()
                                                                                : setting(keys::CommentsDateInfo);
        appendRow(out, rows, "Date Written :", text(date));
    }
    if (on(keys::CommentsPrintEmail)) {
        const std::string address = setting(keys::CommentsEmailInfo);
        appendRow(out, rows, "E-Mail :", text("<A Href='MailTo:" + address + "'>" + address + "</A>"));
    }
    if (on(keys::CommentsPrintWebSite)) {
        const std::string site = setting(keys::CommentsWebSiteInfo);
        appendRow(out, rows, "Web Site :", text("<A Href='" + site + "'>" + site + "</A>"));
    }
    if (on(keys::CommentsPrintExtra)) {
        appendRow(out, rows, setting(keys::CommentsExtraName) + " :", text(setting(keys::CommentsExtraInfo)));
    }
    if (on(keys::CommentPrintSubsAndFunctions)) {
        if (!m_state.subNames().empty()) {
            appendRow(out, rows,
                      "Subs : ", [this](std::string &to) { appendLinks(to, m_state.subNames(), "writeSubsHtml"); });
        }
        if (!m_state.functionNames().empty()) {
            appendRow(out, rows, "Functions : ", [this](std::string &to) {
                appendLinks(to, m_state.functionNames(), "writeFunctionsHtml");
            });
        }
    }
}

std::string CommentBlock::writeCodeHtml(const std::string &block, std::string_view name, std::string_view value)
{
    std::string row = block;
    appendRow(row, 0, name, [value](std::string &to) { to.append(value); });
    return row;
}

void CommentBlock::appendRow(std::string &out, std::size_t rows, std::string_view name,
                             const std::function<void(std::string &)> &value)
{
    try {
        const std::string namesWidth = setting(keys::HTMLCommentNamesWidth);
        const std::string infoWidth = setting(keys::HTMLCommentInfoWidth);
        const std::string cellColour = setting(keys::HTMLCommentCommentCellBGColor);
        out.append("\r\n   <tr>\r\n       <td width='").append(namesWidth);
        out.append("%' style='background-color:").append(cellColour).append("' valign='Top'>");
        out.append(name).append("</td>\r\n       <td width='").append(infoWidth);
        out.append("%' style='background-color:").append(cellColour).append("'>");
        value(out);
        out.append("</td>\r\n   </tr>");
    } catch (const std::exception &) {
        // As the row's block given back empty: the rows so far are gone.
        out.resize(rows);
        m_services.messages.show("Error No  :  writeCodeHtml", Buttons::Ok, Icon::Critical);
    }
}

std::string CommentBlock::writeSubsHtml(std::span<const std::string> names)
{
    std::string html;
    appendLinks(html, names, "writeSubsHtml");
    return html;
}

std::string CommentBlock::writeFunctionsHtml(std::span<const std::string> names)
{
    std::string html;
    appendLinks(html, names, "writeFunctionsHtml");
    return html;
}

void CommentBlock::appendLinks(std::string &out, std::span<const std::string> names, std::string_view routine)
{
    try {
        std::string text;
        for (const std::string &name : names) {
            text = escapeHtmlName(name);
            out.append("<A Href='#").append(text).append("'>").append(text).append("</A><BR>").append(kCrLf);
        }
    } catch (const std::exception &) {
        // The links written so far stay.
        m_services.messages.show("Error No  :  " + std::string(routine), Buttons::Ok, Icon::Critical);
    }
}

std::string CommentBlock::writeMetaTags()
{
    std::string tags;
    for (std::string_view kind : {keys::MetaKindSystem, keys::MetaKindUser}) {
        const std::string countKey = keys::metaCount(kind);
        const int count = metaCount(countKey, setting(countKey));
        for (int i = 0; i < count; ++i) {
            tags.append("<META NAME='").append(setting(keys::metaName(kind, i)));
            tags.append("'  CONTENT='").append(setting(keys::metaValue(kind, i))).append("' >");
            tags.append(kCrLf);
        }
    }
    return tags;
}

void checkMetaCounts(const SettingsStore &settings)
{
    for (std::string_view kind : {keys::MetaKindSystem, keys::MetaKindUser}) {
        const std::string countKey = keys::metaCount(kind);
        metaCount(countKey, readText(settings, countKey, "0"));
    }
}

std::string fontSizeError(const SettingsStore &settings)
{
    if (readText(settings, keys::CommentsPrintCommentsInHTML, "1") == "0")
        return {};
    try {
        fontSizeText(readText(settings, keys::HTMLCommentFontSize, "8"));
    } catch (const ConversionError &error) {
        return error.what();
    }
    return {};
}

} // namespace quorbel
