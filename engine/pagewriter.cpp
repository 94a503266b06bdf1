#include "engine/pagewriter.h"

#include "engine/colouriser.h"
#include "engine/commentblock.h"
#include "engine/conversionerror.h"
#include "engine/elapsedtime.h"
#include "engine/fileio.h"
#include "engine/htmlescape.h"
#include "engine/pagefiles.h"
#include "engine/pageset.h"
#include "engine/pagestate.h"
#include "engine/percentencode.h"
#include "engine/productaddresses.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "engine/textcontrol.h"
#include "engine/utf8.h"
#include "platform/clock.h"
#include "platform/hugepages.h"
#include "platform/label.h"
#include "platform/messageboxes.h"

#include <charconv>
#include <filesystem>
#include <initializer_list>
#include <system_error>

namespace quorbel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Puts the charset line into page after the first occurrence of anchor
// (which ends with a line break or stands before the head's content) when
// the page holds text outside ASCII: without it a browser reads the UTF-8
// page in its own default code page. A pure-ASCII page stays as it is.
void declareCharset(std::string &page, std::string_view anchor, std::string_view line)
{
    if (!hasNonAscii(page))
        return;
    const auto at = page.find(anchor);
    if (at != std::string::npos)
        page.insert(at + anchor.size(), line);
}

// The same for a page in pieces whose first piece holds the anchor; rest
// tells whether the other pieces hold text outside ASCII.
void declareCharset(std::string &head, bool restNonAscii, std::string_view anchor, std::string_view line)
{
    const auto at = restNonAscii || hasNonAscii(head) ? head.find(anchor) : std::string::npos;
    if (at != std::string::npos)
        head.insert(at + anchor.size(), line);
}

std::string timingCaption(double seconds, int lineCount)
{
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 3);
    return std::string(buffer, written.ptr) + " seconds     line count = " + std::to_string(lineCount);
}

} // namespace

PageWriter::PageWriter(PageState &state, EngineServices services) : m_state(state), m_services(services)
{
}

void PageWriter::setTiming(Label &infoLabel, double start, int lineCount) const
{
    infoLabel.setCaption(timingCaption(elapsedSeconds(start, m_services.clock.secondsSinceMidnight()), lineCount));
}

std::string PageWriter::setting(std::string_view key) const
{
    return readText(m_services.settings, key, keys::defaultFor(key, keys::Reader::Page));
}

std::string PageWriter::srcToHTML(TextControl &sourceBox, const std::string &fileName, Label &infoLabel)
{
    if (sourceBox.isEmpty())
        return {};
    const PageFiles files = targetFiles(fileName);
    sourceBox.appendText(kCrLf);
    const double start = m_services.clock.secondsSinceMidnight();
    CodePage code = buildCodePage(sourceBox);
    PageSet set;
    const std::size_t page = startPages(files, set);
    for (const std::string_view piece :
         {std::string_view(code.head), std::string_view(code.block), std::string_view(code.foot), kCrLf})
        set.write(page, piece);
    finishPages(files, set, infoLabel, start, code.lineCount);
    return std::move(code.block);
}

PageOutcome PageWriter::writePages(std::string_view text, const std::string &fileName, Label &infoLabel,
                                   const StreamOptions &options)
{
    if (text.empty())
        return PageOutcome::Empty;
    const PageFiles files = targetFiles(fileName);
    const double start = m_services.clock.secondsSinceMidnight();
    const SourceFacts facts = namesOf(text, options);
    if (refused(facts, options))
        return PageOutcome::NotUtf8;
    // The head reads the settings that can refuse the conversion (the META
    // counts): it is made before any file is.
    const CodeColours colours = codeColours();
    CodePage code = framedCodePage(facts, colours);
    PageSet set;
    const std::size_t page = startPages(files, set);
    int lineCount = 0;
    try {
        lineCount = streamCodePage(
            text, code, colours, [&set, page](std::string_view piece) { set.write(page, piece); }, options);
    } catch (const ConversionStopped &) {
        // The set is dropped unfinished: the old pages stay as they were.
        m_state.colouriser.clearNames();
        return PageOutcome::Stopped;
    }
    set.write(page, kCrLf);
    finishPages(files, set, infoLabel, start, lineCount);
    return PageOutcome::Written;
}

SourceFacts PageWriter::namesOf(std::string_view text, const StreamOptions &options)
{
    // The head lists the names the block declares: they are collected
    // first, in a pass of their own, before anything changes.
    return collectNames(text, m_state.colouriser, options);
}

bool PageWriter::refused(const SourceFacts &facts, const StreamOptions &options)
{
    return options.requireUtf8 && !facts.validUtf8;
}

PageFiles PageWriter::targetFiles(const std::string &fileName)
{
    // The target is checked before anything changes, so that a refused
    // target leaves no folder, no page and the source as it was.
    m_state.PageExt = setting(keys::Ext);
    return pageFiles(fileName, m_state.PageExt, setting(keys::Frames) != "0");
}

std::size_t PageWriter::startPages(const PageFiles &files, PageSet &set) const
{
    // The folder first (a set dropped removes it again when it made it),
    // then the frame page: its folder is the one the set locks.
    std::error_code ec;
    if (!fs::exists(files.base, ec) && setting(keys::CommentsFrames) != "0")
        set.createFolder(files.base);
    if (files.frames)
        set.add(files.framePage);
    const std::size_t codePage = set.add(files.codePage);
    if (files.frames)
        set.add(files.headerPage);
    return codePage;
}

void PageWriter::finishPages(const PageFiles &files, PageSet &set, Label &infoLabel, double start, int lineCount)
{
    setTiming(infoLabel, start, lineCount);
    if (files.frames) {
        // startPages added the frame page (0), the code page (1) and the
        // header page (2).
        set.write(2, writeHeaderPage());
        set.write(2, kCrLf);
        set.write(0, framePage(files));
        set.write(0, kCrLf);
    }
    set.commit();
    m_state.colouriser.clearNames();
}

std::string PageWriter::singlePage(TextControl &sourceBox, Label &infoLabel)
{
    if (sourceBox.isEmpty())
        return {};
    sourceBox.appendText(kCrLf);
    const double start = m_services.clock.secondsSinceMidnight();
    CodePage code = buildCodePage(sourceBox);
    setTiming(infoLabel, start, code.lineCount);
    m_state.colouriser.clearNames();
    return code.head + code.block + code.foot + std::string(kCrLf);
}

PageOutcome PageWriter::writeSinglePage(std::string_view text, Label &infoLabel, const BlockSink &sink,
                                        const StreamOptions &options)
{
    if (text.empty())
        return PageOutcome::Empty;
    const double start = m_services.clock.secondsSinceMidnight();
    const SourceFacts facts = namesOf(text, options);
    if (refused(facts, options))
        return PageOutcome::NotUtf8;
    const CodeColours colours = codeColours();
    const CodePage code = framedCodePage(facts, colours);
    int lineCount = 0;
    try {
        lineCount = streamCodePage(text, code, colours, sink, options);
    } catch (const ConversionStopped &) {
        m_state.colouriser.clearNames();
        return PageOutcome::Stopped;
    }
    sink(kCrLf);
    setTiming(infoLabel, start, lineCount);
    m_state.colouriser.clearNames();
    return PageOutcome::Written;
}

PageWriter::CodeColours PageWriter::codeColours() const
{
    return {setting(keys::HTMLCommentTextColor), setting(keys::HTMLCommentKeyColor), setting(keys::HTMLCommentIDColor),
            setting(keys::HTMLCommentCommentColor)};
}

PageWriter::CodePage PageWriter::buildCodePage(TextControl &sourceBox)
{
    CodePage code;
    code.lineCount = sourceBox.lineCount();
    const CodeColours colours = codeColours();
    Colouriser colouriser(m_state.colouriser, m_services.messages);
    colouriser.setProgress(m_progress);
    try {
        code.block = colouriser.Quorbel_OBJ(sourceBox, colours.text, colours.key, colours.id, colours.comment);
    } catch (const ConversionStopped &) {
        m_state.colouriser.clearNames();
        throw;
    }
    frameCodePage(code, hasNonAscii(code.block));
    return code;
}

PageWriter::CodePage PageWriter::framedCodePage(const SourceFacts &facts, const CodeColours &colours)
{
    // Whether the block will hold text outside ASCII is told from what it
    // is made of: every character of the source, and the colours.
    const bool nonAscii = facts.nonAscii || hasNonAscii(colours.text + colours.key + colours.id + colours.comment);
    CodePage code;
    frameCodePage(code, nonAscii);
    return code;
}

int PageWriter::streamCodePage(std::string_view text, const CodePage &code, const CodeColours &colours,
                               const BlockSink &sink, const StreamOptions &options)
{
    sink(code.head);
    StreamOptions streaming = options;
    if (!streaming.progress)
        streaming.progress = m_progress;
    const int lineCount = streamCodeBlock(text, colours.text, colours.key, colours.id, colours.comment,
                                          m_state.colouriser, m_services.messages, sink, streaming);
    sink(code.foot);
    return lineCount;
}

void PageWriter::frameCodePage(CodePage &code, bool blockNonAscii)
{
    CommentBlock comments(m_state, m_services);
    const std::string generatorLine = "<META NAME='GENERATOR' CONTENT='Halvern  Quorbel 1.2'>\r\n";
    std::string page = "<HTML>\r\n<HEAD>\r\n<TITLE>" + escapeHtmlName(m_state.CodeName) + "</TITLE>\r\n" +
                       generatorLine + comments.writeMetaTags() +
                       "</HEAD>\r\n<BODY bgcolor=" + setting(keys::HTMLCommentPageBGColor) +
                       ">\r\n<A Name='1TopOfPage'></A>";
    const std::string foot = "</PRE>\r\n<Center><Font Size='2'><A href='" + std::string(kProductPage) +
                             "' target='_blank'>Converted to HTML by Halvern Quorbel</A>\r\n<HR>\r\n"
                             "</BODY></HTML>";
    if (setting(keys::CommentsPrintCommentsInHTML) == "1") {
        page.append("<Center>\r\n");
        comments.appendCommentHTML(page); // megabytes with thousands of names: no copy
        page.append("\r\n<HR>\r\n</Center>\r\n<PRE>\r\n");
    } else
        page += "\r\n<PRE>\r\n";
    declareCharset(page, blockNonAscii || hasNonAscii(foot), generatorLine,
                   std::string(kCharsetMeta) + std::string(kCrLf));
    code.head = std::move(page);
    code.foot = foot;
}

std::string PageWriter::framePage(const PageFiles &files) const
{
    // Both sources are relative to the frame page, which stands beside the
    // folder, so the set keeps working when it is moved or published.
    const std::string folder = percentEncode(files.baseName);
    const std::string ext = percentEncode(m_state.PageExt);
    std::string page = "<html><head><Title>" + escapeHtmlName(m_state.ProjectName) + " - " +
                       escapeHtmlName(m_state.CodeName) +
                       "</Title></head><frameset rows='40,*' framespacing='1'  frameborder='1'><frame "
                       "name='header' scrolling='no' noresize target='main' src=\"" +
                       folder + "/Header." + ext + "\"><frame name='code' src=\"" + folder + "/Code." + ext +
                       "\"><noframes><body><p>This page uses frames, but your browser doesn 't support "
                       "them.</p></body></noframes></frameset></html>";
    declareCharset(page, "<head>", kCharsetMeta);
    return page;
}

std::string PageWriter::writeHeaderPage()
{
    try {
        const std::string baseLine = "<BASE TARGET='MAIN'>\r\n";
        std::string page = "<HEAD>\r\n<HTML>\r\n" + baseLine +
                           "<BODY BGCOLOR='BDBBBA'>\r\n\r\n<FORM METHOD='POST'>\r\n<CENTER>\r\n\r\n\r\n";
        page += writeSubs(m_state.subNames());
        page += writeFunctions(m_state.functionNames());
        // The code page sits beside the header page in the folder.
        page += "<SCRIPT LANGUAGE='JAVASCRIPT'><!--\r\nfunction GOTO (Name) {\r\nName = 'Code." +
                percentEncode(m_state.PageExt) +
                "#' + Name\r\nparent.code.location = Name\r\n}\r\n// --></SCRIPT></P>\r\n</FORM></BODY></HTML>";
        declareCharset(page, baseLine, std::string(kCharsetMeta) + std::string(kCrLf));
        return page;
    } catch (const std::exception &) {
        m_services.messages.show("Error 2 : Error writing HTML header ", Buttons::Ok, Icon::Critical);
        return {};
    }
}

std::string PageWriter::writeSubs(std::span<const std::string> names)
{
    return selectList("SUBS", names);
}

std::string PageWriter::writeFunctions(std::span<const std::string> names)
{
    try {
        return selectList("FUNCTIONS", names);
    } catch (const std::exception &) {
        m_services.messages.show("Error 2 : Error writing HTML within Function 'writeFunctions'", Buttons::Ok,
                                 Icon::Critical);
        return {};
    }
}

std::string PageWriter::selectList(std::string_view listName, std::span<const std::string> names) const
{
    // A click jumps, and so does a choice made with the keyboard, which
    // raises only the change event.
    const std::string title(listName);
    // Room for the list at once: a page may list thousands of names.
    std::size_t room = 160 + 2 * title.size();
    for (const std::string &name : names)
        room += 2 * name.size() + 32;
    std::string list;
    list.reserve(room);
    list += "<SELECT NAME='" + title + "' SIZE='1' ONCLICK='GOTO(this.value)' ONCHANGE='GOTO(this.value)'>\r\n" +
            "      <OPTION VALUE='1TopOfPage'>" + title + "</OPTION>\r\n";
    for (const std::string &name : names) {
        const std::string text = escapeHtmlName(name);
        list.append("      <OPTION VALUE='").append(text).append("'>").append(text).append("</OPTION>\r\n");
    }
    list += "</SELECT>\r\n\r\n";
    return list;
}

} // namespace quorbel
