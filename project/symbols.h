#pragma once

#include "project/outline.h"
#include "project/projectfile.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorbel::project {

// One module of a project as its links need it.
struct ModuleSymbols {
    ModuleKind kind = ModuleKind::Module;
    std::string name;     // its code name
    std::string codePage; // its code page, relative to the site's folder ("/" between parts)
    ModuleOutline outline;
    // The header page beside the code page when the module has a frame set
    // (same form as codePage); empty without one.
    std::string headerPage;
};

// Where a name leads: a procedure of a module.
struct Target {
    std::size_t module;
    const Procedure *procedure;
};

// The procedures of one project, resolved as the compiler resolves a name
// as far as the text shows it. Names are looked up in tables made once.
class ProjectSymbols {
public:
    explicit ProjectSymbols(std::vector<ModuleSymbols> modules);
    ProjectSymbols(const ProjectSymbols &) = delete;
    ProjectSymbols &operator=(const ProjectSymbols &) = delete;

    const std::vector<ModuleSymbols> &modules() const { return m_modules; }

    // An unqualified name used in module from: a procedure of that module
    // (any scope), else a Public procedure of a standard module. Nothing for
    // a name that module-level variables of from hide, for a name that a
    // standard module's Public variable, constant or Enum member makes
    // ambiguous, for a name no
    // procedure has, and for one that several modules (or several
    // procedures other than one property's Get, Let and Set) declare.
    std::optional<Target> resolve(std::size_t from, std::string_view name) const;
    // qualifier.name used in module from, qualifier a standard module or a
    // form: its procedure (a Public one unless qualifier is from itself).
    std::optional<Target> resolveQualified(std::size_t from, std::string_view qualifier, std::string_view name) const;
    // Whether name is the name of a module of the project.
    bool isModuleName(std::string_view name) const;

private:
    // The procedures named name (folded), in module order.
    const std::vector<Target> *named(const std::string &folded) const;
    // The one procedure of module among found (a property's Get first);
    // nothing when it has none or declares the name twice.
    static const Procedure *single(const std::vector<Target> &found, std::size_t module, bool publicOnly);

    std::vector<ModuleSymbols> m_modules;
    std::unordered_map<std::string, std::vector<Target>> m_procedures;    // by folded name
    std::unordered_map<std::string, std::vector<std::size_t>> m_byModule; // module indexes by folded name
    std::vector<std::unordered_set<std::string>> m_variables;             // each module's, folded
    std::unordered_set<std::string>
        m_globalNames; // the Public names of standard modules that are no procedures, folded
};

} // namespace quorbel::project
