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

ProjectSymbols::ProjectSymbols(std::vector<ModuleSymbols> modules) : m_modules(std::move(modules))
{
    for (std::size_t m = 0; m < m_modules.size(); ++m) {
        m_byModule[foldedName(m_modules[m].name)].push_back(m);
        for (const Procedure &p : m_modules[m].outline.procedures)
            m_procedures[foldedName(p.name)].push_back({m, &p});
        m_variables.emplace_back(m_modules[m].outline.variables.begin(), m_modules[m].outline.variables.end());
        // Only a standard module's Public names are global: a class's or
        // a form's are members of its objects.
        if (m_modules[m].kind == ModuleKind::Module)
            m_globalNames.insert(m_modules[m].outline.publicNames.begin(), m_modules[m].outline.publicNames.end());
    }
}

const std::vector<Target> *ProjectSymbols::named(const std::string &folded) const
{
    const auto it = m_procedures.find(folded);
    return it == m_procedures.end() ? nullptr : &it->second;
}

const Procedure *ProjectSymbols::single(const std::vector<Target> &found, std::size_t module, bool publicOnly)
{
    std::vector<const Procedure *> own;
    for (const Target &t : found) {
        if (t.module == module)
            own.push_back(t.procedure);
    }
    if (own.empty())
        return nullptr;
    // A property's Get, Let and Set are one name; anything else declared
    // twice (in two branches of #If, say) is left alone.
    const bool allProperty =
        std::all_of(own.begin(), own.end(), [](const Procedure *p) { return isProperty(p->kind); });
    if (own.size() > 1 && !allProperty)
        return nullptr;
    for (const ProcedureKind kind :
         {ProcedureKind::PropertyGet, ProcedureKind::PropertyLet, ProcedureKind::PropertySet}) {
        if (std::count_if(own.begin(), own.end(), [&](const Procedure *p) { return p->kind == kind; }) > 1)
            return nullptr;
    }
    const Procedure *chosen = own.front();
    for (const Procedure *p : own) {
        if (p->kind == ProcedureKind::PropertyGet)
            chosen = p;
    }
    if (publicOnly && !chosen->isPublic)
        return nullptr;
    return chosen;
}

std::optional<Target> ProjectSymbols::resolve(std::size_t from, std::string_view name) const
{
    const std::string folded = foldedName(name);
    const std::vector<Target> *found = named(folded);
    if (!found)
        return std::nullopt;
    if (std::any_of(found->begin(), found->end(), [&](const Target &t) { return t.module == from; })) {
        if (const Procedure *p = single(*found, from, false))
            return Target{from, p};
        return std::nullopt;
    }
    if (m_variables[from].contains(folded) || m_globalNames.contains(folded))
        return std::nullopt;
    std::optional<Target> result;
    for (const Target &t : *found) {
        if (m_modules[t.module].kind != ModuleKind::Module || !t.procedure->isPublic ||
            (result && result->module == t.module))
            continue;
        if (result)
            return std::nullopt; // two modules offer it: ambiguous
        const Procedure *p = single(*found, t.module, true);
        if (!p)
            return std::nullopt;
        result = Target{t.module, p};
    }
    return result;
}

std::optional<Target> ProjectSymbols::resolveQualified(std::size_t from, std::string_view qualifier,
                                                       std::string_view name) const
{
    const auto module = m_byModule.find(foldedName(qualifier));
    if (module == m_byModule.end() || module->second.size() != 1)
        return std::nullopt;
    const std::size_t m = module->second.front();
    if (m_modules[m].kind != ModuleKind::Module && m_modules[m].kind != ModuleKind::Form)
        return std::nullopt;
    const std::vector<Target> *found = named(foldedName(name));
    if (!found)
        return std::nullopt;
    if (const Procedure *p = single(*found, m, m != from))
        return Target{m, p};
    return std::nullopt;
}

bool ProjectSymbols::isModuleName(std::string_view name) const
{
    return m_byModule.contains(foldedName(name));
}

} // namespace quorbel::project
