#include "engine/commentblock.h"

#include "engine/conversionerror.h"
#include "engine/filehelpers.h"
#include "engine/htmlescape.h"
#include "engine/pagestate.h"
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

CommentBlock::CommentBlock(const PageState &state, const EngineServices &services)
    : m_state(state), m_services(services)
{
}

std::string CommentBlock::setting(std::string_view key, std::string_view def) const
{
    return readText(m_services.settings, key, def);
}

std::string CommentBlock::writeCommentHTML()
{
    try {
        const std::string width = setting(keys::HTMLCommentSpecifiedWidth, "100");
        const std::string tableColour = setting(keys::HTMLCommentCommentBG, "FFFFFF");
        const std::string font = setting(keys::HTMLCommentFontName, "Arial");
        const std::string size = setting(keys::HTMLCommentFontSize, "8");
        const std::string titleColour = setting(keys::HTMLCommentHeaderBGColor, kDefaultTitleColour);

        // The names come from the source (a module's VB_Name) and go into
        // the page as text, never as markup.
        const std::string codeName = escapeHtmlName(m_state.CodeName);
        const std::string title = m_state.ProjectName.empty()
                                      ? "Code : " + codeName
                                      : "Project : " + escapeHtmlName(m_state.ProjectName) +
                                            "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; Code : " + codeName;

        if (setting(keys::CommentsPrintCommentsInHTML, "1") == "0")
            return {};
        const std::string sizeText = fontSizeText(size);

        // "border: 1px;": without the ";" a browser drops the whole
        // declaration, font family included, and the font setting is lost.
        std::string block = "<table border='2' cellpadding='2' width='" + width +
                            "%' style='border: 1px; font-family: " + font + "; font-size: " + sizeText +
                            "pt' bgcolor='" + tableColour + "'>\r\n   <tr>\r\n       <td width='100%' " +
                            "colspan='2' style='background-color:" + titleColour + "'><font size='6'><Center> " +
                            title + "</Font></Center></td>\r\n   </tr>";
        // With thousands of names the rows are megabytes: the table is put
        // together in one allocation.
        const std::string rowsHtml = rows();
        std::string table;
        table.reserve(block.size() + rowsHtml.size() + 16);
        table.append(block).append(rowsHtml).append(kCrLf).append("</table>").append(kCrLf);
        return table;
    } catch (const std::exception &) {
        m_services.messages.show("Error No  :  writeCommentHTML ", Buttons::Ok, Icon::Critical);
        return {};
    }
}

std::string CommentBlock::rows()
{
    std::string block;
    const auto on = [this](std::string_view key) { return setting(key, "1") == "1"; };
    if (on(keys::CommentsPrintAuthor))
        appendRow(block, "Author :", setting(keys::CommentsAuthorInfo, "Your Name Goes here"));
    if (on(keys::CommentsPrintDate)) {
        const std::string date = setting(keys::CommentsPrintCurrentDate, "1") == "1"
                                     ? m_services.clock.shortDate()
                                     : setting(keys::CommentsDateInfo, "20/3/79");
        appendRow(block, "Date Written :", date);
    }
    if (on(keys::CommentsPrintEmail)) {
        const std::string address = setting(keys::CommentsEmailInfo, kPlaceholderEmail);
        appendRow(block, "E-Mail :", "<A Href='MailTo:" + address + "'>" + address + "</A>");
    }
    if (on(keys::CommentsPrintWebSite)) {
        const std::string site = setting(keys::CommentsWebSiteInfo, kPlaceholderWebSite);
        appendRow(block, "Web Site :", "<A Href='" + site + "'>" + site + "</A>");
    }
    if (on(keys::CommentsPrintExtra)) {
        appendRow(block, setting(keys::CommentsExtraName, "Title Goes Here") + " :",
                  setting(keys::CommentsExtraInfo, "A little bit about me or my code."));
    }
    if (on(keys::CommentPrintSubsAndFunctions)) {
        if (!m_state.subNames().empty())
            appendRow(block, "Subs : ", writeSubsHtml(m_state.subNames()));
        if (!m_state.functionNames().empty())
            appendRow(block, "Functions : ", writeFunctionsHtml(m_state.functionNames()));
    }
    return block;
}

std::string CommentBlock::writeCodeHtml(const std::string &block, std::string_view name, std::string_view value)
{
    std::string row = block;
    appendRow(row, name, value);
    return row;
}

void CommentBlock::appendRow(std::string &block, std::string_view name, std::string_view value)
{
    try {
        const std::string namesWidth = setting(keys::HTMLCommentNamesWidth, "30");
        const std::string infoWidth = setting(keys::HTMLCommentInfoWidth, "70");
        const std::string cellColour = setting(keys::HTMLCommentCommentCellBGColor, "86C1F2");
        block.reserve(block.size() + name.size() + value.size() + 2 * cellColour.size() + 160);
        block.append("\r\n   <tr>\r\n       <td width='").append(namesWidth);
        block.append("%' style='background-color:").append(cellColour).append("' valign='Top'>");
        block.append(name).append("</td>\r\n       <td width='").append(infoWidth);
        block.append("%' style='background-color:").append(cellColour).append("'>");
        block.append(value).append("</td>\r\n   </tr>");
    } catch (const std::exception &) {
        m_services.messages.show("Error No  :  writeCodeHtml", Buttons::Ok, Icon::Critical);
        block.clear();
    }
}

std::string CommentBlock::writeSubsHtml(std::span<const std::string> names)
{
    return links(names, "writeSubsHtml");
}

std::string CommentBlock::writeFunctionsHtml(std::span<const std::string> names)
{
    return links(names, "writeFunctionsHtml");
}

std::string CommentBlock::links(std::span<const std::string> names, std::string_view routine)
{
    std::string html;
    try {
        // Room for names of average length at once, not by doubling.
        html.reserve(names.size() * 64);
        for (const std::string &name : names) {
            const std::string text = escapeHtmlName(name);
            html.append("<A Href='#").append(text).append("'>").append(text).append("</A><BR>").append(kCrLf);
        }
    } catch (const std::exception &) {
        m_services.messages.show("Error No  :  " + std::string(routine), Buttons::Ok, Icon::Critical);
    }
    return html;
}

std::string CommentBlock::writeMetaTags()
{
    std::string tags;
    for (std::string_view kind : {keys::MetaKindSystem, keys::MetaKindUser}) {
        const std::string countKey = keys::metaCount(kind);
        const int count = metaCount(countKey, setting(countKey, "0"));
        for (int i = 0; i < count; ++i) {
            tags.append("<META NAME='").append(setting(keys::metaName(kind, i), ""));
            tags.append("'  CONTENT='").append(setting(keys::metaValue(kind, i), "")).append("' >");
            tags.append(kCrLf);
        }
    }
    return tags;
}

} // namespace quorbel
