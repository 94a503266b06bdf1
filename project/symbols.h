#pragma once

#include "project/outline.h"
#include "project/projectfile.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbel::project {

// One module of a project as its links need it.
struct ModuleSymbols {
    ModuleKind kind = ModuleKind::Module;
    std::string name;     // its code name
    std::string codePage; // its code page, relative to the site's folder ("/" between parts)
    ModuleOutline outline;
};

// Where a name leads: a procedure of a module.
struct Target {
    std::size_t module;
    const Procedure *procedure;
};

// The procedures of one project, resolved as the compiler resolves a name
// as far as the text shows it.
class ProjectSymbols {
public:
    explicit ProjectSymbols(std::vector<ModuleSymbols> modules) : m_modules(std::move(modules)) {}

    const std::vector<ModuleSymbols> &modules() const { return m_modules; }

    // An unqualified name used in module from: a procedure of that module
    // (any scope), else a Public procedure of a standard module. Nothing for
    // a name that module-level variables of from hide, for a name no
    // procedure has, and for one that several modules (or several
    // procedures other than one property's Get, Let and Set) declare.
    std::optional<Target> resolve(std::size_t from, std::string_view name) const;
    // qualifier.name used in module from, qualifier a standard module or a
    // form: its procedure (a Public one unless qualifier is from itself).
    std::optional<Target> resolveQualified(std::size_t from, std::string_view qualifier, std::string_view name) const;
    // Whether name is the name of a module of the project.
    bool isModuleName(std::string_view name) const;

private:
    // The one procedure named name in module (a property's Get first);
    // nothing when none or when the name is declared twice.
    static const Procedure *single(const ModuleOutline &outline, std::string_view name, bool publicOnly);

    std::vector<ModuleSymbols> m_modules;
};

} // namespace quorbel::project
