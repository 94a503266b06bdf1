#pragma once

#include "engine/engineservices.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quorbel::project {

struct SiteOptions {
    bool links = true;      // links and the anchors they need in the code pages
    std::string encoding;   // every source's encoding (an iconv name); empty: detected per file
    std::string project;    // the project name pages show; empty: the project file's
    bool noClobber = false; // a page set (or the index) whose page exists is not written, and warned about
    std::uint64_t maxSize = std::uint64_t{1} << 30; // a larger source is not read (warned about as unreadable)
    // Told each warning (a source missing or failing), one line without
    // the program's name.
    std::function<void(const std::string &)> warn;
    // Told each page set written: its main page and the timing line.
    std::function<void(const std::string &page, const std::string &timing)> written;
};

// Converts every source that a project file (.vbp) or a project group
// (.vbg: one folder per project) lists into its page set under folder, with
// the settings of services, and writes folder/index.html. Each page set,
// and the index, is replaced as a single conversion replaces its set. A
// source that is missing or cannot be converted is warned about, marked in
// the index and the others are written. Returns 0 when every source was
// converted, 1 otherwise. Throws FileError or ConversionError when the
// project file cannot be read or the folder cannot be made.
int writeSite(const std::string &projectFile, const std::string &folder, const EngineServices &services,
              const SiteOptions &options);

} // namespace quorbel::project
