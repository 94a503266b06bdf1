#include "host/vbproject.h"

#include "host/sourcefile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>

namespace quorbel::host {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b,
                              [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos)
        return {};
    const std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

// The entry of part in folder: the exact name, else the first (in name
// order) whose name differs only in letter case.
std::optional<std::filesystem::path> findPart(const std::filesystem::path &folder, std::string_view part)
{
    std::error_code error;
    const std::filesystem::path exact = folder / std::string(part);
    if (std::filesystem::exists(exact, error))
        return exact;
    std::vector<std::filesystem::path> matches;
    for (const auto &entry : std::filesystem::directory_iterator(folder, error)) {
        if (equalsIgnoringCase(entry.path().filename().string(), part))
            matches.push_back(entry.path());
    }
    if (matches.empty())
        return std::nullopt;
    return *std::ranges::min_element(matches);
}

// The path of a module line's value: "Name; path" for modules and classes,
// the path alone for the others.
std::string_view modulePath(std::string_view key, std::string_view value)
{
    if (equalsIgnoringCase(key, "Module") || equalsIgnoringCase(key, "Class")) {
        const std::size_t semicolon = value.find(';');
        if (semicolon != std::string_view::npos)
            value = value.substr(semicolon + 1);
    }
    return trimmed(value);
}

bool isModuleKey(std::string_view key)
{
    constexpr std::array<std::string_view, 7> keys = {"Module",       "Class",        "Form",    "UserControl",
                                                      "PropertyPage", "UserDocument", "Designer"};
    return std::ranges::any_of(keys, [key](std::string_view k) { return equalsIgnoringCase(key, k); });
}

} // namespace

std::optional<std::filesystem::path> findFile(const std::filesystem::path &base, std::string_view relative)
{
    std::filesystem::path current = base;
    std::size_t pos = 0;
    while (pos <= relative.size()) {
        std::size_t end = relative.find_first_of("\\/", pos);
        if (end == std::string_view::npos)
            end = relative.size();
        const std::string_view part = relative.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            current /= "..";
            continue;
        }
        const auto found = findPart(current, part);
        if (!found)
            return std::nullopt;
        current = *found;
    }
    if (!std::filesystem::is_regular_file(current))
        return std::nullopt;
    return current.lexically_normal();
}

VbProject readProject(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw SourceFileError("cannot open " + file.string());
    VbProject project;
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string_view key = trimmed(std::string_view(line).substr(0, equals));
        const std::string_view value = trimmed(std::string_view(line).substr(equals + 1));
        if (equalsIgnoringCase(key, "Name") && project.name.empty()) {
            std::string_view name = value;
            if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
                name = name.substr(1, name.size() - 2);
            project.name = name;
        } else if (isModuleKey(key)) {
            const std::string_view path = modulePath(key, value);
            if (const auto found = findFile(folder, path))
                project.modules.push_back(*found);
            else
                project.missing.emplace_back(path);
        }
    }
    if (project.name.empty())
        project.name = kDefaultProjectName;
    return project;
}

} // namespace quorbel::host
