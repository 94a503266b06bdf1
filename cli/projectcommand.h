#pragma once

#include <iosfwd>

namespace quorbel {
class Clock;
class SettingsStore;
} // namespace quorbel

namespace quorbel::cli {

struct ConvertOptions;

// `quorbel convert PROJECT.vbp -o FOLDER` (or a .vbg): every source of the
// project converted into its page set in the folder, and the index page
// (see project/site.h). A status line per page set unless quiet; a
// warning on err for each source missing or failing. Returns 0 when every
// source was converted, 1 otherwise.
int runProject(const ConvertOptions &options, const SettingsStore &settings, const Clock &clock, std::ostream &out,
               std::ostream &err);

} // namespace quorbel::cli
