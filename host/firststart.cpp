#include "host/firststart.h"

#include "host/addinhost.h"

namespace quorbel::host {

std::filesystem::path installedAddInLibrary(const std::filesystem::path &programDir, std::string_view libdir)
{
    // An absolute libdir replaces the prefix when appended.
    return programDir.parent_path() / std::filesystem::path(libdir) / "libquorbel.so.1";
}

std::string registerOnFirstStart(const std::string &listFile, const std::filesystem::path &library)
{
    std::error_code ec;
    if (listFile.empty() || std::filesystem::exists(listFile, ec) || ec)
        return {};
    if (!std::filesystem::exists(library, ec))
        return {};
    return registerLibrary(library.string(), false, listFile);
}

} // namespace quorbel::host
