#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::host {

// The project name a code window's caption carries when a file is opened on
// its own, or the project file names none.
inline constexpr std::string_view kDefaultProjectName = "Project1";

// What the host takes from a .vbp project file: its name and the module
// files it lists.
struct VbProject {
    std::string name;                           // Name="..." or kDefaultProjectName
    std::vector<std::filesystem::path> modules; // found on disk, in the file's order
    std::vector<std::string> missing;           // listed paths that were not found, as written
};

// Reads a project file: the Module=, Class= (both "Name; path"), Form=,
// UserControl=, PropertyPage=, UserDocument= and Designer= lines. Paths are
// relative to the project file's folder, with backslashes, and are found
// without regard to letter case. Throws SourceFileError when the project
// file cannot be read.
VbProject readProject(const std::filesystem::path &file);

// relative (backslashes or slashes) below base, each part matched without
// regard to ASCII letter case when the exact name is absent; nothing when a
// part is not found.
std::optional<std::filesystem::path> findFile(const std::filesystem::path &base, std::string_view relative);

} // namespace quorbel::host
