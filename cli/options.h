#pragma once

#include "platform/error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorbel::cli {

// A command line that does not fit the synopsis; what() says why.
class UsageError : public Error {
public:
    using Error::Error;
};

struct ConvertOptions {
    std::vector<std::string> sources; // "-" is standard input
    std::optional<std::string> output;
    bool toStdout = false;
    std::optional<std::string> code;
    std::string project;
    std::string encoding;                                       // empty: detected
    std::vector<std::pair<std::string, std::string>> overrides; // --set KEY=VALUE, in order
    bool noClobber = false;
    bool quiet = false;
    bool noLinks = false; // --no-links: a project's code pages without links
    // A progress line on standard error while converting; not an option:
    // set by the program when standard error is a terminal and not quiet.
    bool progressLine = false;
    std::uint64_t maxSize = std::uint64_t{1} << 30; // --max-size: the largest source read
};

struct SettingsOptions {
    std::string action; // list, get, set, unset, path
    std::vector<std::string> arguments;
};

struct Invocation {
    enum class Command { Help, Version, Convert, Settings, Gui };
    Command command = Command::Help;
    std::optional<std::string> settingsFile;
    ConvertOptions convert;
    SettingsOptions settings;
    std::optional<std::string> guiFile; // gui: the file to open
};

// Whether source names a project file or a project group (.vbp, .vbg in
// any letter case).
bool isProjectFile(const std::string &source);

// Reads the arguments after the program name. Throws UsageError.
Invocation parseCommandLine(const std::vector<std::string> &args);
// The synopsis printed by --help and after a usage error.
const char *usageText();

} // namespace quorbel::cli
