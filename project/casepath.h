#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorbel::project {

// The file that relative (a path as a project file writes it: backslashes
// or slashes, "." and ".." allowed) names under folder, each part found
// whatever its letter case here: an exact match first, else the one entry
// whose name equals the part without regard to ASCII case. Nothing when a
// part is missing or when two entries match it equally.
std::optional<std::filesystem::path> findPathIgnoringCase(const std::filesystem::path &folder,
                                                          std::string_view relative);

} // namespace quorbel::project
