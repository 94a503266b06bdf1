#include "project/symbols.h"

#include "engine/asciicase.h"

#include <algorithm>

namespace quorbel::project {

namespace {

bool isProperty(ProcedureKind kind)
{
    return kind == ProcedureKind::PropertyGet || kind == ProcedureKind::PropertyLet ||
           kind == ProcedureKind::PropertySet;
}

} // namespace

const Procedure *ProjectSymbols::single(const ModuleOutline &outline, std::string_view name, bool publicOnly)
{
    const std::vector<const Procedure *> found = outline.named(name);
    if (found.empty())
        return nullptr;
    // A property's Get, Let and Set are one name; anything else declared
    // twice (two branches of #If, say) is left alone.
    const bool allProperty =
        std::all_of(found.begin(), found.end(), [](const Procedure *p) { return isProperty(p->kind); });
    if (found.size() > 1 && !allProperty)
        return nullptr;
    if (allProperty) {
        for (const ProcedureKind kind :
             {ProcedureKind::PropertyGet, ProcedureKind::PropertyLet, ProcedureKind::PropertySet}) {
            const auto count = std::count_if(found.begin(), found.end(), [&](auto *p) { return p->kind == kind; });
            if (count > 1)
                return nullptr;
        }
    }
    const Procedure *chosen = found.front();
    for (const Procedure *p : found) {
        if (p->kind == ProcedureKind::PropertyGet)
            chosen = p;
    }
    if (publicOnly && !chosen->isPublic)
        return nullptr;
    return chosen;
}

std::optional<Target> ProjectSymbols::resolve(std::size_t from, std::string_view name) const
{
    const ModuleOutline &own = m_modules[from].outline;
    if (!own.named(name).empty()) {
        if (const Procedure *p = single(own, name, false))
            return Target{from, p};
        return std::nullopt;
    }
    const std::string folded = foldedName(name);
    if (std::find(own.variables.begin(), own.variables.end(), folded) != own.variables.end())
        return std::nullopt;
    std::optional<Target> found;
    for (std::size_t m = 0; m < m_modules.size(); ++m) {
        if (m == from || m_modules[m].kind != ModuleKind::Module)
            continue;
        const ModuleOutline &outline = m_modules[m].outline;
        const std::vector<const Procedure *> named = outline.named(name);
        const bool anyPublic = std::any_of(named.begin(), named.end(), [](auto *p) { return p->isPublic; });
        if (!anyPublic)
            continue;
        if (found)
            return std::nullopt; // two modules offer it: ambiguous
        const Procedure *p = single(outline, name, true);
        if (!p)
            return std::nullopt;
        found = Target{m, p};
    }
    return found;
}

std::optional<Target> ProjectSymbols::resolveQualified(std::size_t from, std::string_view qualifier,
                                                       std::string_view name) const
{
    std::optional<std::size_t> module;
    for (std::size_t m = 0; m < m_modules.size(); ++m) {
        if (!equalsAsciiCaseBlind(m_modules[m].name, qualifier))
            continue;
        if (module)
            return std::nullopt;
        module = m;
    }
    if (!module || (m_modules[*module].kind != ModuleKind::Module && m_modules[*module].kind != ModuleKind::Form))
        return std::nullopt;
    if (const Procedure *p = single(m_modules[*module].outline, name, *module != from))
        return Target{*module, p};
    return std::nullopt;
}

bool ProjectSymbols::isModuleName(std::string_view name) const
{
    return std::any_of(m_modules.begin(), m_modules.end(),
                       [&](const ModuleSymbols &m) { return equalsAsciiCaseBlind(m.name, name); });
}

} // namespace quorbel::project
