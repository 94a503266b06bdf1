#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorbel::host {

// Where an installed host finds the add-in library installed with it: the
// library folder libdir (relative to the installation prefix, or absolute)
// beside the folder programDir that holds quorbel-host.
std::filesystem::path installedAddInLibrary(const std::filesystem::path &programDir, std::string_view libdir);

// On the host's first start for a user, that is while the add-in list
// listFile does not exist yet, registers the add-ins of library in it, so
// that an installed host offers its add-in without a --register. Once the
// list exists nothing is added to it again: an add-in the user unregistered
// stays away. Nothing happens when library does not exist (a host run from
// the build folder). Returns an empty text when nothing was to be done or
// the registration succeeded, else what went wrong.
std::string registerOnFirstStart(const std::string &listFile, const std::filesystem::path &library);

} // namespace quorbel::host
