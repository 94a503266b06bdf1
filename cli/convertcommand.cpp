#include "cli/convertcommand.h"

#include "cli/inputguard.h"
#include "cli/knownkeys.h"
#include "cli/options.h"
#include "engine/conversionerror.h"
#include "engine/modulename.h"
#include "engine/pagefiles.h"
#include "engine/pagewriter.h"
#include "engine/processstate.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "engine/sourcetext.h"
#include "engine/utf8.h"
#include "platform/console/consolemessageboxes.h"
#include "platform/fileerror.h"
#include "platform/label.h"
#include "platform/posix/posixfilemapping.h"
#include "platform/settings/overlaysettingsstore.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace quorbel::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStdin = "-";

std::string displayName(const std::string &source)
{
    return source == kStdin ? "standard input" : source;
}

std::string readStream(std::istream &in)
{
    std::ostringstream bytes;
    bytes << in.rdbuf(); // an empty input only sets bytes' failbit
    return bytes.str();
}

// The code name: the option, the module's own name, the file name.
std::string codeNameFor(const ConvertOptions &options, const std::string &source, std::string_view text)
{
    if (options.code)
        return *options.code;
    if (auto name = moduleName(text))
        return *name;
    return source == kStdin ? "Module1" : fs::path(source).stem().string();
}

// A file name made from the code name, which may come from the source
// itself: it must not lead out of the target folder.
std::string fileNameFor(const std::string &codeName)
{
    std::string name = codeName;
    for (char &c : name) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    if (name.empty() || name == "." || name == "..")
        name = "Module1";
    return name;
}

std::string targetFor(const ConvertOptions &options, const std::string &codeName, const SettingsStore &settings)
{
    if (options.output && options.sources.size() == 1)
        return *options.output;
    std::string target =
        fileNameFor(codeName) + "." + readText(settings, keys::Ext, keys::defaultFor(keys::Ext, keys::Reader::Page));
    if (options.output)
        target = (fs::path(*options.output) / target).string();
    return target;
}

// A progress line for source on err, redrawn in place when the percentage
// changes; it never stops the conversion.
ProgressHook progressLine(const std::string &source, std::ostream &err)
{
    return [name = displayName(source), &err, shown = -1](int done, int total) mutable {
        const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
        if (percent != shown) {
            shown = percent;
            err << "\rquorbel: " << name << ": " << percent << "% of " << total << " lines" << std::flush;
        }
        return true;
    };
}

void refuseExisting(const std::string &target, const SettingsStore &settings)
{
    const PageFiles files =
        pageFiles(target, readText(settings, keys::Ext, keys::defaultFor(keys::Ext, keys::Reader::Page)),
                  readText(settings, keys::Frames, keys::defaultFor(keys::Frames, keys::Reader::Page)) != "0");
    for (const std::string *page : {&files.codePage, &files.headerPage, &files.framePage}) {
        std::error_code ec;
        if (!page->empty() && fs::exists(fs::symlink_status(*page, ec)))
            throw std::runtime_error(*page + " exists; not replaced (--no-clobber)");
    }
}

// Converts one source text; throws on failure. With requireUtf8 the text
// is bytes not yet checked: PageOutcome::NotUtf8 says they are not, and
// nothing was changed.
PageOutcome convertText(const ConvertOptions &options, const std::string &source, std::string_view text,
                        bool requireUtf8, ProcessState &process, const EngineServices &services, std::ostream &out,
                        std::ostream &err)
{
    if (text.empty()) {
        err << "quorbel: " << displayName(source) << ": empty source; nothing written\n";
        return PageOutcome::Empty;
    }
    PageState &state = process.page;
    state.CodeName = codeNameFor(options, source, text);
    state.ProjectName = options.project;
    PageWriter writer(state, services);
    PlainLabel label;
    StreamOptions streaming;
    streaming.requireUtf8 = requireUtf8;
    if (options.progressLine)
        streaming.progress = progressLine(source, err);
    PageOutcome outcome;

    if (options.toStdout) {
        outcome = writer.writeSinglePage(
            text, label,
            [&out](std::string_view piece) {
                out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                if (!out)
                    throw std::runtime_error("cannot write to standard output");
            },
            streaming);
        out.flush();
        if (!out)
            throw std::runtime_error("cannot write to standard output");
    } else {
        // A refusal must name the target of the decoded text: bytes that
        // are not UTF-8 may give another code name once decoded.
        if (requireUtf8 && options.noClobber && !isValidUtf8(text))
            return PageOutcome::NotUtf8;
        const std::string target = targetFor(options, state.CodeName, services.settings);
        if (options.noClobber)
            refuseExisting(target, services.settings);
        outcome = writer.writePages(text, target, label, streaming);
    }
    if (options.progressLine)
        err << "\r\x1b[K" << std::flush; // the progress line goes
    if (outcome == PageOutcome::Written && !options.quiet)
        (options.toStdout ? err : out) << label.caption() << '\n';
    return outcome;
}

// Converts one source; throws on failure.
void convertOne(const ConvertOptions &options, const std::string &source, ProcessState &process,
                const EngineServices &services, std::istream &in, std::ostream &out, std::ostream &err)
{
    // A file is read in place (mapped), and its bytes go to the conversion
    // as they are: they are most likely UTF-8, which the conversion checks
    // while it reads them for the names anyway. Only bytes that are not,
    // or a named encoding, are decoded into a text of their own.
    std::unique_ptr<FileContents> file;
    std::optional<InputGuard> guard;
    std::string piped;
    if (source == kStdin) {
        piped = readStream(in);
    } else {
        guard.emplace(source);
        file = PosixFileMapping().open(source);
    }
    const std::string_view bytes = file ? file->view() : piped;
    if (options.encoding.empty() && convertText(options, source, withoutByteOrderMark(bytes), true, process, services,
                                                out, err) != PageOutcome::NotUtf8)
        return;
    const std::string decoded = decodeSource(bytes, options.encoding).text;
    convertText(options, source, decoded, false, process, services, out, err);
}

} // namespace

int runConvert(const ConvertOptions &options, const SettingsStore &settings, const Clock &clock, std::istream &in,
               std::ostream &out, std::ostream &err)
{
    OverlaySettingsStore store(settings);
    for (const auto &[key, value] : options.overrides) {
        if (!isKnownKey(key))
            throw UsageError("--set: unknown setting key \"" + key + "\"");
        store.set(kSettingsApp, kSettingsSection, key, value);
    }
    if (options.toStdout)
        store.set(kSettingsApp, kSettingsSection, keys::Frames, "0");
    if (options.output && options.sources.size() > 1) {
        std::error_code ec;
        fs::create_directory(*options.output, ec);
        if (!fs::is_directory(*options.output)) {
            err << "quorbel: " << *options.output << ": not a folder\n";
            return 1;
        }
    }

    ConsoleMessageBoxes messages(err);
    const EngineServices services{store, messages, clock};
    ProcessState process;
    int status = 0;
    for (const std::string &source : options.sources) {
        try {
            convertOne(options, source, process, services, in, out, err);
        } catch (const FileError &error) {
            err << "quorbel: " << error.what() << '\n';
            status = 1;
        } catch (const std::exception &error) {
            err << "quorbel: " << displayName(source) << ": " << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace quorbel::cli
