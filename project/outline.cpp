#include "project/outline.h"

#include "engine/asciicase.h"
#include "engine/codeonly.h"

#include <set>

namespace quorbel::project {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Calls f with every line of text, without its line break.
template<typename F>
void forEachLine(std::string_view text, F &&f)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            if (start < text.size())
                f(text.substr(start));
            return;
        }
        f(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}

// The name the page writer gives the anchor before line, if any.
std::optional<DeclaredName> pageAnchor(std::string_view line, std::string &scratch)
{
    scratch.assign(line);
    scratch += ' '; // the line break becomes one blank
    blankStringLiterals(scratch);
    return findDeclaration(scratch);
}

std::string_view propertySuffix(ProcedureKind kind)
{
    switch (kind) {
    case ProcedureKind::PropertyGet:
        return ".Get";
    case ProcedureKind::PropertyLet:
        return ".Let";
    case ProcedureKind::PropertySet:
        return ".Set";
    default:
        return {};
    }
}

bool declaresVariables(const CodeLine &line, std::size_t i)
{
    return line.is(i, "Dim") || line.is(i, "ReDim") || line.is(i, "Static") || line.is(i, "Const");
}

} // namespace

std::string foldedName(std::string_view name)
{
    return foldAsciiCase(name);
}

std::vector<const Procedure *> ModuleOutline::named(std::string_view name) const
{
    std::vector<const Procedure *> found;
    for (const Procedure &p : procedures) {
        if (equalsAsciiCaseBlind(p.name, name))
            found.push_back(&p);
    }
    return found;
}

std::vector<std::size_t> declaredVariables(const CodeLine &line, std::size_t from, std::size_t to)
{
    // After the statement word (and "Preserve"), each name opens the
    // statement or follows a comma outside parentheses.
    std::vector<std::size_t> names;
    std::size_t i = from;
    while (i < to && line.tokens[i].kind == TokenKind::Word &&
           (declaresVariables(line, i) || line.is(i, "Preserve") || line.is(i, "Public") || line.is(i, "Private") ||
            line.is(i, "Global") || line.is(i, "WithEvents")))
        ++i;
    bool expectName = true;
    int depth = 0;
    for (; i < to; ++i) {
        const Token &t = line.tokens[i];
        const std::string_view w = line.word(i);
        if (t.kind == TokenKind::Symbol) {
            if (w == "(")
                ++depth;
            else if (w == ")")
                --depth;
            else if (w == "," && depth == 0)
                expectName = true;
            continue;
        }
        if (expectName && t.kind == TokenKind::Word && !line.is(i, "WithEvents")) {
            names.push_back(i);
            expectName = false;
        }
    }
    return names;
}

ModuleOutline outlineModule(std::string_view text)
{
    ModuleOutline outline;
    std::set<std::string> anchors; // every anchor name the page writer puts in the page
    std::vector<std::pair<std::size_t, std::size_t>> declarationAnchors; // procedure, its page anchor
    std::string scratch;
    CodeReader reader;
    Procedure *current = nullptr;
    enum class Block { None, Type, PublicEnum, PrivateEnum };
    Block block = Block::None; // the Type or Enum block at hand
    forEachLine(text, [&](std::string_view raw) {
        const std::optional<DeclaredName> own = pageAnchor(raw, scratch);
        if (own) {
            anchors.insert(std::string(own->name));
            outline.pageAnchors.push_back({std::string(own->name), {}});
        }
        const CodeLine line = reader.read(raw);
        if (line.start) {
            Procedure p;
            p.kind = line.start->kind;
            p.name = std::string(line.word(line.start->name));
            p.isPublic = line.start->isPublic;
            const bool isSub = p.kind == ProcedureKind::Sub;
            if (p.kind == ProcedureKind::Sub || p.kind == ProcedureKind::Function) {
                if (own && (own->kind == Declaration::Sub) == isSub &&
                    equalsAsciiCaseBlind(trimmed(own->name), p.name)) {
                    p.writtenAnchor = std::string(own->name);
                    declarationAnchors.emplace_back(outline.procedures.size(), outline.pageAnchors.size() - 1);
                }
            } else {
                p.anchor = p.name + std::string(propertySuffix(p.kind));
                p.anchorAdded = true;
            }
            outline.procedures.push_back(std::move(p));
            current = &outline.procedures.back();
        } else if (!line.inProcedure && !line.tokens.empty() && !line.continued) {
            // Module-level variables, constants and Enum members.
            std::size_t i = 0;
            while (line.is(i, "Public") || line.is(i, "Private") || line.is(i, "Global"))
                ++i;
            const bool isPublic = line.is(0, "Public") || line.is(0, "Global");
            if (line.inTypeBlock) {
                if (line.is(i, "Enum") || line.is(i, "Type")) {
                    block = line.is(i, "Enum") ? (isPublic || i == 0 ? Block::PublicEnum : Block::PrivateEnum)
                                               : Block::Type;
                } else if (line.is(0, "End"))
                    block = Block::None;
                else if (block != Block::Type && line.tokens.front().kind == TokenKind::Word) {
                    outline.variables.push_back(foldedName(line.word(0)));
                    if (block == Block::PublicEnum)
                        outline.publicNames.push_back(outline.variables.back());
                }
            } else if ((i > 0 && line.tokens.size() > i && !line.is(i, "Declare") && !line.is(i, "Event") &&
                        !line.is(i, "Sub") && !line.is(i, "Function") && !line.is(i, "Property")) ||
                       declaresVariables(line, 0)) {
                for (const std::size_t n : declaredVariables(line, 0, line.tokens.size())) {
                    outline.variables.push_back(foldedName(line.word(n)));
                    if (isPublic)
                        outline.publicNames.push_back(outline.variables.back());
                }
            }
        }
        if (current && line.label && line.inProcedure)
            current->labels.push_back({std::string(line.word(*line.label)), {}});
        if (line.endsProcedure)
            current = nullptr;
    });
    // Added anchors: kept only where unique in the page.
    std::set<std::string> added;
    const auto claim = [&](std::string &anchor) {
        if (anchors.contains(anchor) || !added.insert(anchor).second)
            anchor.clear();
    };
    for (Procedure &p : outline.procedures) {
        if (p.anchorAdded)
            claim(p.anchor);
    }
    for (Procedure &p : outline.procedures) {
        const std::string base = p.name + std::string(propertySuffix(p.kind));
        for (Label &label : p.labels) {
            label.anchor = base + "." + label.name;
            claim(label.anchor);
        }
    }
    // A name the page writer uses again is made unique: "Name~2", "Name~3".
    std::set<std::string> taken;
    for (PageAnchor &anchor : outline.pageAnchors) {
        const auto free = [&](const std::string &name) {
            return !taken.contains(name) &&
                   (name == anchor.written || (!anchors.contains(name) && !added.contains(name)));
        };
        anchor.unique = anchor.written;
        for (int n = 2; !free(anchor.unique); ++n)
            anchor.unique = anchor.written + "~" + std::to_string(n);
        taken.insert(anchor.unique);
    }
    for (const auto &[procedure, anchor] : declarationAnchors)
        outline.procedures[procedure].anchor = outline.pageAnchors[anchor].unique;
    return outline;
}

} // namespace quorbel::project
