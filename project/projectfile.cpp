#include "project/projectfile.h"

#include "project/blanks.h"

#include "engine/asciicase.h"

#include <array>
#include <utility>

namespace quorbel::project {

namespace {

std::string unquoted(std::string_view value)
{
    value = trimmed(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// Calls f(key, value) for every "key=value" line of text.
template<typename F>
void forEachEntry(std::string_view text, F &&f)
{
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos)
            f(trimmed(line.substr(0, eq)), line.substr(eq + 1));
    }
}

constexpr std::array<std::pair<std::string_view, ModuleKind>, 7> kSourceKeys{{
    {"Module", ModuleKind::Module},
    {"Class", ModuleKind::Class},
    {"Form", ModuleKind::Form},
    {"UserControl", ModuleKind::UserControl},
    {"PropertyPage", ModuleKind::PropertyPage},
    {"UserDocument", ModuleKind::Designer},
    {"Designer", ModuleKind::Designer},
}};

} // namespace

std::string_view kindHeading(ModuleKind kind)
{
    switch (kind) {
    case ModuleKind::Module:
        return "Modules";
    case ModuleKind::Class:
        return "Classes";
    case ModuleKind::Form:
        return "Forms";
    case ModuleKind::UserControl:
        return "User controls";
    case ModuleKind::PropertyPage:
        return "Property pages";
    case ModuleKind::Designer:
        return "Designers";
    }
    return {};
}

ProjectFile parseProjectFile(std::string_view text)
{
    ProjectFile project;
    forEachEntry(text, [&](std::string_view key, std::string_view value) {
        if (equalsAsciiCaseBlind(key, "Name")) {
            project.name = unquoted(value);
            return;
        }
        if (equalsAsciiCaseBlind(key, "Title")) {
            project.title = unquoted(value);
            return;
        }
        for (const auto &[sourceKey, kind] : kSourceKeys) {
            if (!equalsAsciiCaseBlind(key, sourceKey))
                continue;
            ProjectEntry entry;
            entry.kind = kind;
            // Modules and classes are written "Name; path"; the others give
            // the path alone.
            const std::size_t semicolon = value.find(';');
            if ((kind == ModuleKind::Module || kind == ModuleKind::Class) && semicolon != std::string_view::npos) {
                entry.name = std::string(trimmed(value.substr(0, semicolon)));
                entry.path = unquoted(value.substr(semicolon + 1));
            } else
                entry.path = unquoted(value);
            if (!entry.path.empty())
                project.entries.push_back(std::move(entry));
            return;
        }
    });
    return project;
}

std::vector<std::string> parseGroupFile(std::string_view text)
{
    std::vector<std::string> projects;
    forEachEntry(text, [&](std::string_view key, std::string_view value) {
        if (equalsAsciiCaseBlind(key, "Project") || equalsAsciiCaseBlind(key, "StartupProject")) {
            std::string path = unquoted(value);
            if (!path.empty())
                projects.push_back(std::move(path));
        }
    });
    return projects;
}

} // namespace quorbel::project
