#include "project/indexpage.h"

#include "engine/htmlescape.h"
#include "engine/pagewriter.h"
#include "engine/utf8.h"

namespace quorbel::project {

namespace {

constexpr std::string_view kStyle =
    "<STYLE>\r\n"
    "body { font-family: Arial, sans-serif; margin: 1.5em 2em; color: #000000; }\r\n"
    "h1 { margin-bottom: 0.1em; } p.title { margin-top: 0; color: #555555; }\r\n"
    "h2 { border-bottom: 1px solid #C0C0C0; } h3 { margin-bottom: 0.3em; }\r\n"
    "table.module { border-collapse: collapse; margin: 0.4em 0 1em 1em; }\r\n"
    "table.module td { padding: 2px 8px; vertical-align: top; }\r\n"
    "td.kind { color: #555555; width: 7em; }\r\n"
    "span.path, span.type { color: #777777; font-size: smaller; }\r\n"
    "span.missing { color: #B00000; font-weight: bold; }\r\n"
    "ul.controls { margin: 0; padding-left: 1.2em; }\r\n"
    "a { color: #1D048E; text-decoration: none; } a:hover { text-decoration: underline; }\r\n"
    "</STYLE>\r\n";

std::string text(std::string_view s)
{
    return escapeHtmlName(s);
}

std::string linkHtml(const IndexLink &link)
{
    if (link.href.empty())
        return text(link.text);
    return "<A HREF='" + link.href + "'>" + text(link.text) + "</A>";
}

void appendLinks(std::string &out, std::string_view kind, const std::vector<IndexLink> &links)
{
    if (links.empty())
        return;
    out += "<TR><TD CLASS='kind' WIDTH='90'>";
    out += kind;
    out += "</TD><TD>";
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += linkHtml(links[i]);
    }
    out += "</TD></TR>\r\n";
}

void appendControls(std::string &out, const std::vector<Control> &controls)
{
    out += "<UL CLASS='controls'>\r\n";
    for (const Control &control : controls) {
        out += "<LI>" + text(control.name) + " <SPAN CLASS='type'>" + text(control.type) + "</SPAN>";
        if (!control.children.empty()) {
            out += "\r\n";
            appendControls(out, control.children);
        }
        out += "</LI>\r\n";
    }
    out += "</UL>";
}

void appendModule(std::string &out, const IndexModule &module)
{
    out += "<H4>" + linkHtml(module.name) + " <SPAN CLASS='path'>" + text(module.path) + "</SPAN>";
    if (!module.problem.empty())
        out += " <SPAN CLASS='missing'>" + text(module.problem) + "</SPAN>";
    out += "</H4>\r\n";
    if (module.subs.empty() && module.functions.empty() && module.properties.empty() && module.controls.empty())
        return;
    out += "<TABLE CLASS='module'>\r\n";
    appendLinks(out, "Subs", module.subs);
    appendLinks(out, "Functions", module.functions);
    appendLinks(out, "Properties", module.properties);
    if (!module.controls.empty()) {
        out += "<TR><TD CLASS='kind' WIDTH='90'>Controls</TD><TD>";
        appendControls(out, module.controls);
        out += "</TD></TR>\r\n";
    }
    out += "</TABLE>\r\n";
}

void appendProject(std::string &out, const IndexProject &project, std::string_view level)
{
    for (const ModuleKind kind : {ModuleKind::Module, ModuleKind::Class, ModuleKind::Form, ModuleKind::UserControl,
                                  ModuleKind::PropertyPage, ModuleKind::Designer}) {
        bool headed = false;
        for (const IndexModule &module : project.modules) {
            if (module.kind != kind)
                continue;
            if (!headed) {
                out += "<" + std::string(level) + ">" + std::string(kindHeading(kind)) + "</" + std::string(level) +
                       ">\r\n";
                headed = true;
            }
            appendModule(out, module);
        }
    }
}

} // namespace

std::string indexPage(std::string_view heading, std::span<const IndexProject> projects, bool group)
{
    std::string title(heading);
    if (!group && !projects.empty() && !projects.front().title.empty() && projects.front().title != heading)
        title += " - " + projects.front().title;
    std::string out = "<HTML>\r\n<HEAD>\r\n<TITLE>" + text(title) + "</TITLE>\r\n" +
                      "<META NAME='GENERATOR' CONTENT='Halvern  Quorbel 1.2'>\r\n";
    std::string body;
    if (group) {
        body += "<H1>" + text(heading) + "</H1>\r\n";
        for (const IndexProject &project : projects) {
            body += "<H2>" + text(project.name) + "</H2>\r\n";
            if (!project.title.empty() && project.title != project.name)
                body += "<P CLASS='title'>" + text(project.title) + "</P>\r\n";
            appendProject(body, project, "H3");
        }
    } else if (!projects.empty()) {
        const IndexProject &project = projects.front();
        body += "<H1>" + text(project.name) + "</H1>\r\n";
        if (!project.title.empty() && project.title != project.name)
            body += "<P CLASS='title'>" + text(project.title) + "</P>\r\n";
        appendProject(body, project, "H2");
    }
    if (hasNonAscii(body) || hasNonAscii(heading)) {
        out += kCharsetMeta;
        out += "\r\n";
    }
    out += kStyle;
    out += "</HEAD>\r\n<BODY>\r\n";
    out += body;
    out += "</BODY>\r\n</HTML>\r\n";
    return out;
}

} // namespace quorbel::project
