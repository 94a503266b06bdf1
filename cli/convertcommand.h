#pragma once

#include <iosfwd>

namespace quorbel {
class Clock;
class SettingsStore;
} // namespace quorbel

namespace quorbel::cli {

struct ConvertOptions;

// `quorbel convert`: converts every source (the others still when one
// fails), prints the status line per source unless quiet (with
// options.progressLine, a progress line on err while converting), reports every
// failure as one line on err. Returns 0 when all are done, 1 when a source
// failed. Throws UsageError for a --set of an unknown key. settings is read,
// never written.
int runConvert(const ConvertOptions &options, const SettingsStore &settings, const Clock &clock, std::istream &in,
               std::ostream &out, std::ostream &err);

} // namespace quorbel::cli
