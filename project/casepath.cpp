#include "project/casepath.h"

#include "engine/asciicase.h"

#include <string>
#include <system_error>

namespace quorbel::project {

namespace fs = std::filesystem;

namespace {

// The entry of folder named part in any letter case; nothing when none or
// several are.
std::optional<fs::path> entryIgnoringCase(const fs::path &folder, const std::string &part)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(folder / part, ec)))
        return folder / part;
    std::optional<fs::path> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!equalsAsciiCaseBlind(name, part))
            continue;
        if (found)
            return std::nullopt; // two candidates: neither is taken
        found = it->path();
    }
    return found;
}

} // namespace

std::optional<fs::path> findPathIgnoringCase(const fs::path &folder, std::string_view relative)
{
    fs::path at = folder;
    std::string part;
    const auto step = [&]() -> bool {
        if (part.empty() || part == ".")
            return true;
        if (part == "..") {
            at = at / "..";
            return true;
        }
        const std::optional<fs::path> next = entryIgnoringCase(at, part);
        if (!next)
            return false;
        at = *next;
        return true;
    };
    if (!relative.empty() && (relative.front() == '/' || relative.front() == '\\'))
        return std::nullopt; // a path of another machine's root
    if (relative.size() >= 2 && relative[1] == ':')
        return std::nullopt; // a drive letter
    for (const char c : relative) {
        if (c == '\\' || c == '/') {
            if (!step())
                return std::nullopt;
            part.clear();
        } else
            part += c;
    }
    if (!step())
        return std::nullopt;
    std::error_code ec;
    if (!fs::is_regular_file(at, ec))
        return std::nullopt;
    return at.lexically_normal();
}

} // namespace quorbel::project
