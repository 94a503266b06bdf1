#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::project {

// The kinds of source a project lists, in the order the index shows them.
enum class ModuleKind { Module, Class, Form, UserControl, PropertyPage, Designer };

// The heading of a kind in the index ("Modules", "Classes", ...).
std::string_view kindHeading(ModuleKind kind);

// One source listed by a project file.
struct ProjectEntry {
    ModuleKind kind = ModuleKind::Module;
    std::string name; // the name written before "; " (modules and classes), else empty
    std::string path; // as written: relative to the project file, backslashes
};

// What the index needs of a project file (.vbp): its name, its title and
// its sources in the order listed. Every other entry (references,
// objects, compile options) is left out.
struct ProjectFile {
    std::string name;
    std::string title;
    std::vector<ProjectEntry> entries;
};

// Reads the text of a project file (already decoded; line breaks CR LF, LF
// or CR). Keys are matched without regard to case; quoted values lose
// their quotes.
ProjectFile parseProjectFile(std::string_view text);

// The project files a project group (.vbg) lists ("Project=" and
// "StartupProject=" entries), as written, in order.
std::vector<std::string> parseGroupFile(std::string_view text);

} // namespace quorbel::project
