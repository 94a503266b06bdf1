#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quorbel::testing {

// A fresh, empty folder under the build folder: <build>/scratch/<area>/<name>.
inline std::filesystem::path scratchFolder(const std::string &area, const std::string &name)
{
    const auto dir = std::filesystem::path(QUORBEL_BUILD_DIR) / "scratch" / area / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The whole file as bytes (empty when it cannot be read).
inline std::string readBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Writes bytes as the whole file, making its folder when missing.
inline void writeBytes(const std::filesystem::path &path, const std::string &bytes)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace quorbel::testing
