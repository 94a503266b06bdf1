#include "project/linker.h"

#include "engine/asciicase.h"
#include "engine/htmlescape.h"
#include "engine/percentencode.h"

#include <algorithm>
#include <filesystem>

namespace quorbel::project {

namespace {

constexpr std::string_view kLinkStyle = "' STYLE='color:inherit;text-decoration:none'";

std::string anchorTag(std::string_view name)
{
    return "<A NAME='" + escapeHtmlName(name) + "'></A>";
}

// The visible text of a line of HTML, and for each of its bytes where it
// starts and ends in the HTML. Only "&lt;" and "&amp;" stand for a
// character in the code block; any other entity is kept as it is written.
void visibleText(std::string_view html, std::string &text, std::vector<std::size_t> &start,
                 std::vector<std::size_t> &end)
{
    text.clear();
    start.clear();
    end.clear();
    std::size_t i = 0;
    while (i < html.size()) {
        if (html[i] == '<') {
            const std::size_t close = html.find('>', i);
            i = close == std::string_view::npos ? html.size() : close + 1;
            continue;
        }
        std::size_t next = i + 1;
        char c = html[i];
        if (html.substr(i).starts_with("&lt;")) {
            c = '<';
            next = i + 4;
        } else if (html.substr(i).starts_with("&amp;")) {
            c = '&';
            next = i + 5;
        }
        text += c;
        start.push_back(i);
        end.push_back(next);
        i = next;
    }
}

bool isWord(const CodeLine &line, std::size_t i)
{
    return i < line.tokens.size() && line.tokens[i].kind == TokenKind::Word;
}

bool isSymbol(const CodeLine &line, std::size_t i, char c)
{
    return i < line.tokens.size() && line.tokens[i].kind == TokenKind::Symbol && line.word(i).front() == c;
}

// The word without a bracket pair or a type character.
std::string_view bareName(std::string_view word)
{
    if (word.size() >= 2 && word.front() == '[' && word.back() == ']')
        return word.substr(1, word.size() - 2);
    if (!word.empty() && std::string_view("$%&!#@").find(word.back()) != std::string_view::npos)
        word.remove_suffix(1);
    return word;
}

} // namespace

CodeLinker::CodeLinker(const ProjectSymbols &symbols, std::size_t module) : m_symbols(symbols), m_module(module)
{
}

std::string CodeLinker::uniqueAnchorLine(std::string_view html)
{
    constexpr std::string_view open = "<A NAME='", close = "'></A>";
    const std::string_view name = html.substr(open.size(), html.size() - open.size() - close.size());
    const auto &anchors = m_symbols.modules()[m_module].outline.pageAnchors;
    if (m_nextAnchor >= anchors.size() || escapeHtmlName(anchors[m_nextAnchor].written) != name)
        return std::string(html); // not the anchor the outline expects: left as it is
    const PageAnchor &anchor = anchors[m_nextAnchor++];
    if (anchor.unique == anchor.written)
        return std::string(html);
    return std::string(open) + escapeHtmlName(anchor.unique) + std::string(close);
}

void CodeLinker::decorate(std::string &html)
{
    std::string out;
    out.reserve(html.size() + html.size() / 8);
    std::size_t from = 0;
    while (from < html.size()) {
        std::size_t end = html.find("\r\n", from);
        const bool whole = end != std::string::npos;
        if (!whole)
            end = html.size();
        out += decorateLine(std::string_view(html).substr(from, end - from));
        if (whole)
            out += "\r\n";
        from = whole ? end + 2 : end;
    }
    html = std::move(out);
}

std::string CodeLinker::decorateLine(std::string_view html)
{
    visibleText(html, m_text, m_start, m_end);
    const std::vector<std::size_t> &start = m_start;
    const std::string &text = m_text;
    if (text.empty() && html.starts_with("<A NAME='") && html.ends_with("'></A>"))
        return uniqueAnchorLine(html);
    const CodeLine line = m_reader.read(text);
    std::vector<Insert> inserts;
    if (line.start) {
        const auto &procedures = m_symbols.modules()[m_module].outline.procedures;
        m_procedure = m_nextProcedure < procedures.size() ? &procedures[m_nextProcedure] : nullptr;
        ++m_nextProcedure;
        m_locals.clear();
        if (m_procedure && m_procedure->anchorAdded && !m_procedure->anchor.empty())
            inserts.push_back({start[line.tokens.front().offset], anchorTag(m_procedure->anchor)});
    }
    if (line.label && line.inProcedure && m_procedure) {
        const std::string_view name = line.word(*line.label);
        for (const Label &label : m_procedure->labels) {
            if (label.name == name && !label.anchor.empty()) {
                inserts.push_back({start[line.tokens[*line.label].offset], anchorTag(label.anchor)});
                break;
            }
        }
    }
    if (!line.tokens.empty() && !line.inTypeBlock)
        linkTokens(line, start, m_end, inserts);
    if (line.endsProcedure)
        m_procedure = nullptr;
    if (inserts.empty())
        return std::string(html);
    std::stable_sort(inserts.begin(), inserts.end(), [](const Insert &a, const Insert &b) { return a.at < b.at; });
    std::string out;
    std::size_t at = 0;
    for (const Insert &insert : inserts) {
        out.append(html.substr(at, insert.at - at));
        out += insert.tag;
        at = insert.at;
    }
    out.append(html.substr(at));
    return out;
}

std::string CodeLinker::linkTag(const Target &target, std::string_view anchor) const
{
    namespace fs = std::filesystem;
    const ModuleSymbols &here = m_symbols.modules()[m_module];
    const ModuleSymbols &there = m_symbols.modules()[target.module];
    const fs::path from = fs::path(here.codePage).parent_path();
    const auto relative = [&from](const std::string &page) {
        return percentEncode(fs::path(page).lexically_relative(from.empty() ? fs::path(".") : from).generic_string(),
                             "/");
    };
    std::string tag = "<A HREF='";
    if (target.module != m_module)
        tag += relative(there.codePage);
    tag += "#" + escapeHtmlName(anchor);
    tag += kLinkStyle;
    // In a frame set the header frame shows the lists of the module in the
    // code frame: a link to another module's code brings that module's
    // header page along. The path is percent-encoded, so it holds no quote.
    if (target.module != m_module && !there.headerPage.empty())
        tag += " ONCLICK=\"if(parent.header)parent.header.location.href='" + relative(there.headerPage) + "'\"";
    tag += '>';
    return tag;
}

void CodeLinker::linkTokens(const CodeLine &line, const std::vector<std::size_t> &htmlStart,
                            const std::vector<std::size_t> &htmlEnd, std::vector<Insert> &inserts)
{
    const auto link = [&](std::size_t i, std::string tag) {
        const Token &t = line.tokens[i];
        inserts.push_back({htmlStart[t.offset], std::move(tag)});
        inserts.push_back({htmlEnd[t.offset + t.length - 1], "</A>"});
    };
    // A declaration's parameters are the procedure's own names.
    if (line.start) {
        for (std::size_t i = line.start->name + 1; i < line.tokens.size(); ++i) {
            if (isWord(line, i) &&
                (isSymbol(line, i - 1, '(') || isSymbol(line, i - 1, ',') || line.is(i - 1, "ByVal") ||
                 line.is(i - 1, "ByRef") || line.is(i - 1, "Optional") || line.is(i - 1, "ParamArray")) &&
                !line.is(i, "ByVal") && !line.is(i, "ByRef") && !line.is(i, "Optional") && !line.is(i, "ParamArray"))
                m_locals.insert(foldedName(bareName(line.word(i))));
        }
        return;
    }
    std::size_t statement = 0; // first token of the current statement
    for (std::size_t i = 0; i < line.tokens.size(); ++i) {
        if (isSymbol(line, i, ':')) {
            statement = i + 1;
            continue;
        }
        if (i == statement && !line.continued) {
            // Statements whose words are never calls.
            std::size_t w = i;
            while (line.is(w, "Public") || line.is(w, "Private") || line.is(w, "Global") || line.is(w, "Friend"))
                ++w;
            if (line.is(w, "Declare") || line.is(w, "Event") || line.is(w, "RaiseEvent") || line.is(w, "Implements") ||
                line.is(w, "Attribute"))
                return;
            if (line.is(w, "Dim") || line.is(w, "Static") || line.is(w, "Const") || line.is(w, "ReDim") ||
                (w > i && line.inProcedure)) {
                std::size_t to = i;
                while (to < line.tokens.size() && !isSymbol(line, to, ':'))
                    ++to;
                for (const std::size_t n : declaredVariables(line, i, to)) {
                    if (line.inProcedure)
                        m_locals.insert(foldedName(bareName(line.word(n))));
                }
                if (!line.is(w, "ReDim")) {
                    i = to - 1; // a declaration calls nothing but in its bounds and values: left alone
                    continue;
                }
            }
            if (line.label && *line.label == i) {
                if (isSymbol(line, i + 1, ':'))
                    ++i; // a name's colon; a line number has none
                statement = i + 1;
                continue;
            }
        }
        if (!isWord(line, i))
            continue;
        // Jump targets: labels of the procedure.
        if (line.is(i, "GoTo") || line.is(i, "GoSub") || line.is(i, "Resume")) {
            std::size_t j = i + 1;
            while (j < line.tokens.size() && (isWord(line, j) || line.tokens[j].kind == TokenKind::Number)) {
                if (m_procedure) {
                    for (const Label &label : m_procedure->labels) {
                        if (!label.anchor.empty() && equalsAsciiCaseBlind(label.name, line.word(j))) {
                            link(j, "<A HREF='#" + escapeHtmlName(label.anchor) + std::string(kLinkStyle) + ">");
                            break;
                        }
                    }
                }
                if (!isSymbol(line, j + 1, ','))
                    break;
                j += 2;
            }
            i = j;
            continue;
        }
        const std::string_view word = line.word(i);
        const std::string_view rest = line.text.substr(line.tokens[i].offset + line.tokens[i].length);
        if (rest.starts_with(":="))
            continue; // a named argument
        if (i > statement) {
            const std::size_t p = i - 1;
            if (line.is(p, "As") || line.is(p, "New") || line.is(p, "Sub") || line.is(p, "Function") ||
                line.is(p, "Property") || isSymbol(line, p, '!'))
                continue;
            if (isSymbol(line, p, '.')) {
                // Module.Name: the module's procedure; any other member is not ours.
                if (p > statement && isWord(line, p - 1) && !(p - 1 > statement && isSymbol(line, p - 2, '.'))) {
                    // Me.Name: the module's own procedure.
                    const bool me = line.is(p - 1, "Me");
                    const std::optional<Target> target =
                        me ? m_symbols.resolve(m_module, bareName(word))
                           : m_symbols.resolveQualified(m_module, bareName(line.word(p - 1)), bareName(word));
                    if (target && (!me || target->module == m_module) && !target->procedure->anchor.empty())
                        link(i, linkTag(*target, target->procedure->anchor));
                }
                continue;
            }
        }
        if (isSymbol(line, i + 1, '.') && m_symbols.isModuleName(bareName(word)))
            continue; // the qualifier of a module's name
        if (m_locals.contains(foldedName(bareName(word))))
            continue;
        // Inside a function or property its own name is its result.
        if (m_procedure && m_procedure->kind != ProcedureKind::Sub &&
            equalsAsciiCaseBlind(m_procedure->name, bareName(word)))
            continue;
        if (const auto target = m_symbols.resolve(m_module, bareName(word));
            target && !target->procedure->anchor.empty())
            link(i, linkTag(*target, target->procedure->anchor));
    }
}

} // namespace quorbel::project
