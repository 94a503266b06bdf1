#pragma once

#include <filesystem>
#include <iosfwd>

namespace quorbel {
class SettingsStore;
}

namespace quorbel::cli {

struct SettingsOptions;

// `quorbel settings`: list (KEY=VALUE per line, with "\", CR and LF of a
// value written as \\, \r and \n), get KEY (the value as stored; 1 when
// nothing is stored), set KEY VALUE (a known key only, else UsageError),
// unset KEY, path. Returns the exit status.
int runSettings(const SettingsOptions &options, SettingsStore &store, const std::filesystem::path &file,
                std::ostream &out, std::ostream &err);

} // namespace quorbel::cli
