#include "cli/convertcommand.h"

#include "cli/inputguard.h"
#include "cli/knownkeys.h"
#include "cli/options.h"
#include "cli/projectcommand.h"
#include "cli/sourceinput.h"
#include "engine/commentblock.h"
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
#include <vector>

namespace quorbel::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStdin = "-";

// One source of the command, planned before anything is written: its
// bytes (or text once decoded), its code name and its page set.
struct Job {
    std::unique_ptr<SourceInput> input;
    std::string text;        // the decoded text, when the bytes were decoded
    std::string_view view;   // what is converted: the bytes or text
    bool requireUtf8 = true; // view is bytes not yet checked for UTF-8
    std::string codeName;
    std::string target; // empty with --stdout
    std::optional<PageFiles> files;
};

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

// A progress line for the source shown as name on err, redrawn in place
// when the percentage changes; it never stops the conversion.
ProgressHook progressLine(const std::string &name, std::ostream &err)
{
    return [name, &err, shown = -1](int done, int total) mutable {
        const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
        if (percent != shown) {
            shown = percent;
            err << "\rquorbel: " << name << ": " << percent << "% of " << total << " lines" << std::flush;
        }
        return true;
    };
}

std::vector<const std::string *> pagesOf(const PageFiles &files)
{
    std::vector<const std::string *> pages;
    for (const std::string *page : {&files.framePage, &files.headerPage, &files.codePage}) {
        if (!page->empty())
            pages.push_back(page);
    }
    return pages;
}

void refuseExisting(const PageFiles &files)
{
    for (const std::string *page : pagesOf(files)) {
        std::error_code ec;
        if (fs::exists(fs::symlink_status(*page, ec)))
            throw std::runtime_error(*page + " exists; not replaced (--no-clobber)");
    }
}

// Reads the source, takes its code name and its page set. The code name
// comes from the text as it will be converted: bytes that are not UTF-8 are
// decoded first when the name holds more than ASCII (an ASCII name reads
// the same before and after).
Job planJob(const ConvertOptions &options, const std::string &source, const SettingsStore &settings, std::istream &in,
            const FileMapping &mapping)
{
    Job job;
    job.input = std::make_unique<SourceInput>(source, options.maxSize, in, mapping);
    const std::string_view bytes = job.input->bytes();
    job.view = withoutByteOrderMark(bytes);
    std::optional<std::string> name = moduleName(job.view);
    if (!options.encoding.empty() || (!options.code && name && hasNonAscii(*name) && !isValidUtf8(job.view))) {
        job.text = decodeSource(bytes, options.encoding).text;
        job.view = job.text;
        job.requireUtf8 = false;
        name = moduleName(job.view);
    }
    if (options.code)
        job.codeName = *options.code;
    else if (name)
        job.codeName = *name;
    else
        job.codeName = source == kStdin ? "Module1" : fs::path(source).stem().string();
    if (!options.toStdout && !job.view.empty()) {
        job.target = targetFor(options, job.codeName, settings);
        job.files =
            pageFiles(job.target, readText(settings, keys::Ext, keys::defaultFor(keys::Ext, keys::Reader::Page)),
                      readText(settings, keys::Frames, keys::defaultFor(keys::Frames, keys::Reader::Page)) != "0");
    }
    return job;
}

// The same path however it is spelled, links of existing folders followed.
std::string samePathKey(const std::string &path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    const fs::path canonical = fs::weakly_canonical(absolute, ec);
    return (ec ? absolute : canonical).lexically_normal().string();
}

// Refuses, before anything is written, a command in which a page would
// replace one of its sources, or two sources would write one page set.
// Returns the message, empty when the command may go on.
std::string refusalOf(const std::vector<Job> &jobs)
{
    std::vector<std::pair<std::string, const Job *>> pages;
    for (const Job &job : jobs) {
        if (!job.files)
            continue;
        for (const std::string *page : pagesOf(*job.files)) {
            const std::optional<FileIdentity> identity = identityOf(*page);
            for (const Job &other : jobs) {
                if (identity && other.input->identity() == identity)
                    return "the page " + *page + " of " + job.input->displayName() + " is the source " +
                           other.input->displayName() + "; nothing written";
            }
            pages.emplace_back(samePathKey(*page), &job);
        }
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        for (std::size_t j = i + 1; j < pages.size(); ++j) {
            if (pages[i].second != pages[j].second && pages[i].first == pages[j].first)
                return pages[i].second->input->displayName() + " and " + pages[j].second->input->displayName() +
                       " would both write " + pages[i].first + "; nothing written";
        }
    }
    return {};
}

// Converts one planned source; throws on failure. Returns the page written
// (empty with --stdout, for an empty source, or when stopped).
std::string convertJob(const ConvertOptions &options, Job &job, ProcessState &process, const EngineServices &services,
                       std::ostream &out, std::ostream &err)
{
    if (job.view.empty()) {
        err << "quorbel: " << job.input->displayName() << ": empty source; nothing written\n";
        return {};
    }
    std::optional<InputGuard> guard;
    if (job.input->name() != kStdin)
        guard.emplace(job.input->name());
    PageState &state = process.page;
    state.CodeName = job.codeName;
    state.ProjectName = options.project;
    PlainLabel label;
    const auto convert = [&](std::string_view text, bool requireUtf8) {
        PageWriter writer(state, services);
        StreamOptions streaming;
        streaming.requireUtf8 = requireUtf8;
        if (options.progressLine)
            streaming.progress = progressLine(job.input->displayName(), err);
        if (!options.toStdout)
            return writer.writePages(text, job.target, label, streaming);
        const PageOutcome outcome = writer.writeSinglePage(
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
        return outcome;
    };
    PageOutcome outcome = convert(job.view, job.requireUtf8);
    if (outcome == PageOutcome::NotUtf8) {
        // Nothing was written: the bytes are decoded and converted again.
        job.text = decodeSource(job.input->bytes(), options.encoding).text;
        outcome = convert(job.text, false);
    }
    if (options.progressLine)
        err << "\r\x1b[K" << std::flush; // the progress line goes
    if (outcome != PageOutcome::Written)
        return {};
    const std::string page = job.files ? (job.files->frames ? job.files->framePage : job.files->codePage) : "";
    if (!options.quiet) {
        std::ostream &status = options.toStdout ? err : out;
        status << (page.empty() ? std::string() : page + ": ") << label.caption() << '\n';
    }
    return page;
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
    // A setting that refuses every conversion is found before any source
    // is read; one that leaves the comment block out is reported per page.
    try {
        checkMetaCounts(store);
    } catch (const ConversionError &error) {
        err << "quorbel: " << error.what() << "; nothing written\n";
        return 1;
    }
    const std::string fontProblem = fontSizeError(store);
    if (options.sources.size() == 1 && isProjectFile(options.sources.front()) && options.output)
        return runProject(options, store, clock, out, err);
    if (std::error_code ec; options.output && options.sources.size() == 1 && fs::is_directory(*options.output, ec)) {
        err << "quorbel: " << *options.output
            << ": is a folder; -o takes the page file name for one source (a folder only for several)\n";
        return 1;
    }
    if (options.output && options.sources.size() > 1) {
        std::error_code ec;
        fs::create_directory(*options.output, ec);
        if (!fs::is_directory(*options.output, ec)) {
            err << "quorbel: " << *options.output << ": not a folder\n";
            return 1;
        }
    }

    int status = 0;
    const auto fail = [&](const std::string &source, const std::exception &error) {
        if (dynamic_cast<const FileError *>(&error))
            err << "quorbel: " << error.what() << '\n';
        else
            err << "quorbel: " << source << ": " << error.what() << '\n';
        status = 1;
    };
    // Every source is read and its pages named before any page is written.
    const PosixFileMapping mapping;
    std::vector<Job> jobs;
    for (const std::string &source : options.sources) {
        const std::string shown = source == kStdin ? "standard input" : source;
        try {
            std::optional<InputGuard> guard;
            if (source != kStdin)
                guard.emplace(source);
            jobs.push_back(planJob(options, source, store, in, mapping));
        } catch (const std::exception &error) {
            fail(shown, error);
        }
    }
    if (const std::string refusal = refusalOf(jobs); !refusal.empty()) {
        err << "quorbel: " << refusal << '\n';
        return 1;
    }

    ConsoleMessageBoxes messages(err);
    const EngineServices services{store, messages, clock};
    ProcessState process;
    for (Job &job : jobs) {
        try {
            if (options.noClobber && job.files)
                refuseExisting(*job.files);
            const std::string page = convertJob(options, job, process, services, out, err);
            if (!fontProblem.empty() && !job.view.empty()) {
                err << "quorbel: " << job.input->displayName() << ": " << fontProblem << "; "
                    << (page.empty() ? std::string("the page") : page) << " was written without its comment block\n";
                status = 1;
            }
        } catch (const std::exception &error) {
            fail(job.input->displayName(), error);
        }
    }
    return status;
}

} // namespace quorbel::cli
