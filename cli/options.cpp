#include "cli/options.h"

#include "engine/asciicase.h"

#include <algorithm>

#include <map>

namespace quorbel::cli {

namespace {

const std::map<std::string, std::size_t> kSettingsActions = {
    {"list", 0}, {"get", 1}, {"set", 2}, {"unset", 1}, {"path", 0}};

// Walks the arguments; an option's value is the next argument or the text
// after "=" in "--name=value".
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string> &args) : m_args(args) {}
    bool atEnd() const { return m_next >= m_args.size(); }
    std::string take() { return m_args[m_next++]; }
    std::string value(const std::string &option, std::optional<std::string> &inlineValue)
    {
        if (inlineValue) {
            std::string v = std::move(*inlineValue);
            inlineValue.reset();
            return v;
        }
        if (atEnd())
            throw UsageError("option " + option + " needs a value");
        return take();
    }

private:
    const std::vector<std::string> &m_args;
    std::size_t m_next = 0;
};

// A size in bytes, with an optional K, M or G (units of 1024).
std::uint64_t parseSize(const std::string &option, const std::string &text)
{
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    const std::string unit = text.substr(digits);
    int shift = -1;
    if (unit.empty())
        shift = 0;
    else if (unit == "K" || unit == "k")
        shift = 10;
    else if (unit == "M" || unit == "m")
        shift = 20;
    else if (unit == "G" || unit == "g")
        shift = 30;
    if (digits == 0 || digits > 12 || shift < 0)
        throw UsageError("option " + option + " needs a size in bytes (K, M or G may follow), not \"" + text + "\"");
    const std::uint64_t value = std::stoull(text.substr(0, digits));
    if (value == 0)
        throw UsageError("option " + option + " needs a size above 0");
    return value << shift;
}

void parseConvert(ArgumentReader &reader, Invocation &inv)
{
    ConvertOptions &c = inv.convert;
    bool optionsEnded = false;
    while (!reader.atEnd()) {
        std::string arg = reader.take();
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            c.sources.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg.resize(eq);
        }
        if (arg == "-o" || arg == "--output") {
            c.output = reader.value(arg, inlineValue);
        } else if (arg == "--stdout") {
            c.toStdout = true;
        } else if (arg == "--code") {
            c.code = reader.value(arg, inlineValue);
        } else if (arg == "--project") {
            c.project = reader.value(arg, inlineValue);
        } else if (arg == "--encoding") {
            c.encoding = reader.value(arg, inlineValue);
        } else if (arg == "--settings") {
            inv.settingsFile = reader.value(arg, inlineValue);
        } else if (arg == "--set") {
            const std::string pair = reader.value(arg, inlineValue);
            const auto eq = pair.find('=');
            if (eq == std::string::npos || eq == 0)
                throw UsageError("--set needs KEY=VALUE, not \"" + pair + "\"");
            c.overrides.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
        } else if (arg == "--max-size") {
            c.maxSize = parseSize(arg, reader.value(arg, inlineValue));
        } else if (arg == "-n" || arg == "--no-clobber") {
            c.noClobber = true;
        } else if (arg == "-q" || arg == "--quiet") {
            c.quiet = true;
        } else if (arg == "--no-links") {
            c.noLinks = true;
        } else if (arg == "-h" || arg == "--help") {
            inv.command = Invocation::Command::Help;
            return;
        } else {
            throw UsageError("unknown option " + arg);
        }
        if (inlineValue)
            throw UsageError("option " + arg + " takes no value");
    }
    if (c.sources.empty())
        throw UsageError("convert needs at least one SOURCE");
    if (c.toStdout && c.sources.size() != 1)
        throw UsageError("--stdout takes exactly one SOURCE");
    if (c.toStdout && c.output)
        throw UsageError("--stdout and --output exclude each other");
    const bool project = std::any_of(c.sources.begin(), c.sources.end(), isProjectFile);
    if (project && c.sources.size() != 1)
        throw UsageError("a project file (.vbp, .vbg) is converted alone");
    if (project && !c.output)
        throw UsageError("a project file needs -o FOLDER");
    if (project && c.toStdout)
        throw UsageError("--stdout takes a single source, not a project");
}

void parseSettings(ArgumentReader &reader, Invocation &inv)
{
    std::vector<std::string> words;
    while (!reader.atEnd()) {
        std::string arg = reader.take();
        if (arg == "--settings") {
            if (reader.atEnd())
                throw UsageError("option --settings needs a value");
            inv.settingsFile = reader.take();
        } else if (arg.starts_with("--settings=")) {
            inv.settingsFile = arg.substr(11);
        } else if (arg == "-h" || arg == "--help") {
            inv.command = Invocation::Command::Help;
            return;
        } else {
            words.push_back(std::move(arg));
        }
    }
    if (words.empty())
        throw UsageError("settings needs one of list, get, set, unset, path");
    const auto action = kSettingsActions.find(words.front());
    if (action == kSettingsActions.end())
        throw UsageError("unknown settings action \"" + words.front() + "\"");
    if (words.size() - 1 != action->second)
        throw UsageError("settings " + words.front() + " takes " + std::to_string(action->second) + " argument(s)");
    inv.settings.action = words.front();
    inv.settings.arguments.assign(words.begin() + 1, words.end());
}

void parseGui(ArgumentReader &reader, Invocation &inv)
{
    while (!reader.atEnd()) {
        std::string arg = reader.take();
        if (arg == "-h" || arg == "--help") {
            inv.command = Invocation::Command::Help;
            return;
        }
        if (arg.starts_with("-") && arg != "-")
            throw UsageError("unknown option " + arg);
        if (inv.guiFile)
            throw UsageError("gui takes at most one FILE");
        inv.guiFile = std::move(arg);
    }
}

} // namespace

Invocation parseCommandLine(const std::vector<std::string> &args)
{
    Invocation inv;
    ArgumentReader reader(args);
    if (reader.atEnd())
        throw UsageError("no command given");
    const std::string command = reader.take();
    if (command == "--help" || command == "-h" || command == "help") {
        inv.command = Invocation::Command::Help;
    } else if (command == "--version") {
        inv.command = Invocation::Command::Version;
    } else if (command == "convert") {
        inv.command = Invocation::Command::Convert;
        parseConvert(reader, inv);
    } else if (command == "settings") {
        inv.command = Invocation::Command::Settings;
        parseSettings(reader, inv);
    } else if (command == "gui") {
        inv.command = Invocation::Command::Gui;
        parseGui(reader, inv);
    } else {
        throw UsageError("unknown command \"" + command + "\"");
    }
    return inv;
}

bool isProjectFile(const std::string &source)
{
    const std::string_view name(source);
    return name.size() > 4 && (equalsAsciiCaseBlind(name.substr(name.size() - 4), ".vbp") ||
                               equalsAsciiCaseBlind(name.substr(name.size() - 4), ".vbg"));
}

const char *usageText()
{
    return "usage: quorbel convert [options] SOURCE...     SOURCE '-' reads standard input\n"
           "       quorbel convert [options] PROJECT.vbp|GROUP.vbg -o FOLDER\n"
           "                       every source of the project, each a page set in FOLDER,\n"
           "                       and FOLDER/index.html; calls and jumps are links\n"
           "  -o, --output PATH    target page file (one source; a folder is refused) or\n"
           "                       folder (several sources; made when missing);\n"
           "                       default: code name + \".\" + Ext in the current folder\n"
           "  --stdout             write the single page to standard output (frames off);\n"
           "                       status line to standard error\n"
           "  --code NAME          code name (default: the module's VB_Name, else the file name)\n"
           "  --project NAME       project name (default: empty)\n"
           "  --encoding NAME      source encoding, an iconv name (default: detected)\n"
           "  --settings FILE      settings database to use instead of the per-user one\n"
           "  --set KEY=VALUE      use VALUE for setting KEY in this run only (repeatable)\n"
           "  --max-size SIZE      refuse a source larger than SIZE bytes (K, M, G: units of\n"
           "                       1024; default 1G)\n"
           "  -n, --no-clobber     refuse to replace an existing target\n"
           "  -q, --quiet          no status line\n"
           "  --no-links           a project's code pages without links\n"
           "       quorbel settings [--settings FILE] list | get KEY | set KEY VALUE | unset KEY | path\n"
           "       quorbel gui [FILE]        a converter window, FILE in its code box\n"
           "       quorbel -h | --help | --version\n";
}

} // namespace quorbel::cli
