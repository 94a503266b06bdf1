#pragma once

#include "project/designer.h"
#include "project/projectfile.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::project {

// An entry of the index that may link somewhere (no link when href is empty).
struct IndexLink {
    std::string text;
    std::string href; // relative to the index page, ready for an attribute
};

// One module as the index lists it.
struct IndexModule {
    ModuleKind kind = ModuleKind::Module;
    IndexLink name;      // its code name and its page
    std::string path;    // as the project file lists it
    std::string problem; // "missing", "empty", "not converted": no page; empty when written
    std::vector<IndexLink> subs, functions, properties;
    std::vector<Control> controls; // a form's controls (the form's own children)
};

struct IndexProject {
    std::string name;
    std::string title;
    std::vector<IndexModule> modules;
};

// The index page of a site: for one project (heading = its name) or a
// group (heading = the group's name, one section per project). Text is
// UTF-8; lines end with CR LF.
std::string indexPage(std::string_view heading, std::span<const IndexProject> projects, bool group);

} // namespace quorbel::project
