#include "project/site.h"

#include "engine/asciicase.h"
#include "engine/conversionerror.h"
#include "engine/fileio.h"
#include "engine/htmlescape.h"
#include "engine/modulename.h"
#include "engine/pagefiles.h"
#include "engine/pageset.h"
#include "engine/pagewriter.h"
#include "engine/percentencode.h"
#include "engine/processstate.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "engine/sourcetext.h"
#include "platform/label.h"
#include "project/casepath.h"
#include "project/designer.h"
#include "project/indexpage.h"
#include "project/linker.h"
#include "project/projectfile.h"
#include "project/projecttext.h"
#include "project/symbols.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

namespace quorbel::project {

namespace fs = std::filesystem;

namespace {

// Sources smaller than this are coloured on the calling thread alone.
constexpr std::size_t kOwnThreadBytes = std::size_t{1} << 20;

// One source of a project on its way to its pages.
struct Source {
    ProjectEntry entry;
    std::optional<std::string> text; // the decoded text; nothing when missing or unreadable
    std::string codeName;
    std::string target;             // the page set's target file
    std::string codePage;           // relative to the site's folder
    std::string headerPage;         // the frame set's header page, relative to the site's folder; empty without
    std::string mainPage;           // the frame page or the single page, relative to the site's folder
    std::vector<std::string> pages; // every page of its set
};

std::string setting(const EngineServices &services, std::string_view key)
{
    return readText(services.settings, key, keys::defaultFor(key, keys::Reader::Page));
}

// A file name made from a code name, which comes from the source itself:
// it must not lead out of the folder.
std::string fileNameFor(const std::string &codeName)
{
    std::string name = codeName;
    for (char &c : name) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    if (name.empty() || name == "." || name == "..")
        name = "Module1";
    return name;
}

std::string relativeTo(const fs::path &path, const fs::path &folder)
{
    return path.lexically_normal().lexically_relative(folder.lexically_normal()).generic_string();
}

std::string stemOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name);
}

bool hasDesigner(ModuleKind kind)
{
    return kind == ModuleKind::Form || kind == ModuleKind::UserControl || kind == ModuleKind::PropertyPage ||
           kind == ModuleKind::Designer;
}

void warn(const SiteOptions &options, const std::string &text)
{
    if (options.warn)
        options.warn(text);
}

// The page href of path (relative to the index's folder) for an attribute.
std::string hrefFor(const std::string &prefix, const std::string &path, std::string_view anchor = {})
{
    std::string href = percentEncode(prefix + path, "/");
    if (!anchor.empty())
        href += "#" + escapeHtmlName(anchor);
    return href;
}

// Reads the sources project lists and names their page sets in folder;
// a source missing or unreadable is warned about and sets status to 1.
std::vector<Source> planSources(const fs::path &projectPath, const ProjectFile &project, const fs::path &folder,
                                const EngineServices &services, const SiteOptions &options, int &status)
{
    const std::string ext = setting(services, keys::Ext);
    const bool frames = setting(services, keys::Frames) != "0";
    std::vector<Source> sources;
    std::set<std::string> fileNames;
    for (const ProjectEntry &entry : project.entries) {
        Source source;
        source.entry = entry;
        const std::optional<fs::path> path = findPathIgnoringCase(projectPath.parent_path(), entry.path);
        try {
            if (!path)
                throw FileError(entry.path, "missing");
            if (fs::file_size(*path) > options.maxSize)
                throw FileError(entry.path, "larger than " + std::to_string(options.maxSize) + " bytes; not read");
            source.text = decodeSource(readFileBytes(path->string()), options.encoding).text;
        } catch (const std::exception &error) {
            warn(options, projectPath.filename().string() + ": " + error.what());
            status = 1;
        }
        std::optional<std::string> name = source.text ? moduleName(*source.text) : std::nullopt;
        source.codeName = name ? *name : !entry.name.empty() ? entry.name : stemOf(entry.path);
        std::string fileName = fileNameFor(source.codeName);
        // Two sources never share a page set.
        for (int n = 2; !fileNames.insert(foldAsciiCase(fileName)).second; ++n)
            fileName = fileNameFor(source.codeName) + "_" + std::to_string(n);
        source.target = (folder / (fileName + "." + ext)).string();
        const PageFiles files = pageFiles(source.target, ext, frames);
        source.codePage = relativeTo(files.codePage, folder);
        if (frames)
            source.headerPage = relativeTo(files.headerPage, folder);
        source.mainPage = relativeTo(frames ? files.framePage : files.codePage, folder);
        for (const std::string *page : {&files.framePage, &files.codePage, &files.headerPage}) {
            if (!page->empty())
                source.pages.push_back(*page);
        }
        sources.push_back(std::move(source));
    }
    return sources;
}

// Writes the page set of sources[m]; returns whether it was written.
bool writeSource(const std::vector<Source> &sources, std::size_t m, const ProjectSymbols &symbols,
                 const std::string &projectName, const EngineServices &services, const SiteOptions &options,
                 ProcessState &process)
{
    const Source &source = sources[m];
    if (options.noClobber) {
        for (const std::string &page : source.pages) {
            std::error_code ec;
            if (fs::exists(fs::symlink_status(page, ec)))
                throw ConversionError(page + " exists; not replaced (--no-clobber)");
        }
    }
    process.page.CodeName = source.codeName;
    process.page.ProjectName = projectName;
    PageWriter writer(process.page, services);
    StreamOptions streaming;
    // Most sources of a project are small: threads of their own would cost
    // more than they save.
    if (source.text->size() < kOwnThreadBytes)
        streaming.threads = 1;
    std::optional<CodeLinker> linker;
    if (options.links) {
        linker.emplace(symbols, m);
        streaming.decorate = [&linker](std::string &html) { linker->decorate(html); };
    }
    PlainLabel label;
    if (writer.writePages(*source.text, source.target, label, streaming) != PageOutcome::Written)
        return false;
    if (options.written)
        options.written(source.target, label.caption());
    return true;
}

// The procedures and controls of a source written, for the index.
void listContents(IndexModule &module, const Source &source, const ModuleOutline &outline,
                  const std::string &indexPrefix, const SiteOptions &options)
{
    for (const Procedure &p : outline.procedures) {
        // Without links the page has the page writer's anchors alone.
        const std::string &anchor = options.links ? p.anchor : p.writtenAnchor;
        IndexLink link{p.name, hrefFor(indexPrefix, source.codePage, anchor)};
        if (p.kind == ProcedureKind::Sub)
            module.subs.push_back(std::move(link));
        else if (p.kind == ProcedureKind::Function)
            module.functions.push_back(std::move(link));
        else if (std::none_of(module.properties.begin(), module.properties.end(),
                              [&](const IndexLink &other) { return equalsAsciiCaseBlind(other.text, p.name); }))
            module.properties.push_back(std::move(link)); // one entry per property, at its first procedure
    }
    if (hasDesigner(source.entry.kind)) {
        std::vector<Control> roots = designerControls(*source.text);
        if (!roots.empty())
            module.controls = std::move(roots.front().children);
    }
}

// Converts one project into folder; fills index. Returns 0 or 1.
int writeProject(const fs::path &projectPath, const fs::path &folder, const std::string &indexPrefix,
                 const EngineServices &services, const SiteOptions &options, IndexProject &index)
{
    const ProjectFile project =
        parseProjectFile(projectText(projectPath.string(), options.encoding, [&projectPath](std::string_view text) {
            int missing = 0;
            for (const ProjectEntry &entry : parseProjectFile(text).entries)
                missing += findPathIgnoringCase(projectPath.parent_path(), entry.path) ? 0 : 1;
            return missing;
        }));
    index.name = project.name.empty() ? stemOf(projectPath.filename().string()) : project.name;
    index.title = project.title;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec))
        throw ConversionError(folder.string() + ": not a folder");

    int status = 0;
    const std::vector<Source> sources = planSources(projectPath, project, folder, services, options, status);
    std::vector<ModuleSymbols> modules;
    for (const Source &source : sources)
        modules.push_back({source.entry.kind, source.codeName, source.codePage,
                           source.text ? outlineModule(*source.text) : ModuleOutline{}, source.headerPage});
    const ProjectSymbols symbols(std::move(modules));

    ProcessState process;
    const std::string projectName = options.project.empty() ? index.name : options.project;
    for (std::size_t m = 0; m < sources.size(); ++m) {
        const Source &source = sources[m];
        IndexModule module;
        module.kind = source.entry.kind;
        module.name.text = source.codeName;
        module.path = source.entry.path;
        if (!source.text)
            module.problem = "missing";
        else {
            const std::string shown = projectPath.filename().string() + ": " + source.entry.path + ": ";
            try {
                if (writeSource(sources, m, symbols, projectName, services, options, process)) {
                    module.name.href = hrefFor(indexPrefix, source.mainPage);
                    listContents(module, source, symbols.modules()[m].outline, indexPrefix, options);
                } else {
                    warn(options, shown + "empty source; nothing written");
                    module.problem = "empty";
                }
            } catch (const std::exception &error) {
                warn(options, shown + error.what());
                module.problem = "not converted";
                status = 1;
            }
        }
        index.modules.push_back(std::move(module));
    }
    return status;
}

void writeIndex(const fs::path &folder, const std::string &page, const SiteOptions &options)
{
    std::error_code ec;
    if (options.noClobber && fs::exists(fs::symlink_status(folder / "index.html", ec)))
        throw ConversionError((folder / "index.html").string() + " exists; not replaced (--no-clobber)");
    PageSet set;
    const std::size_t index = set.add((folder / "index.html").string());
    set.write(index, page);
    set.commit();
}

} // namespace

int writeSite(const std::string &projectFile, const std::string &folder, const EngineServices &services,
              const SiteOptions &options)
{
    const fs::path path(projectFile);
    std::string ext = path.extension().string();
    if (!equalsAsciiCaseBlind(ext, ".vbg")) {
        IndexProject index;
        const int status = writeProject(path, folder, "", services, options, index);
        writeIndex(folder, indexPage(index.name, std::span(&index, 1), false), options);
        return status;
    }
    const std::vector<std::string> listed =
        parseGroupFile(projectText(projectFile, options.encoding, [&path](std::string_view text) {
            int missing = 0;
            for (const std::string &entry : parseGroupFile(text))
                missing += findPathIgnoringCase(path.parent_path(), entry) ? 0 : 1;
            return missing;
        }));
    std::vector<IndexProject> projects;
    std::set<std::string> folders;
    int status = 0;
    for (const std::string &entry : listed) {
        const std::optional<fs::path> found = findPathIgnoringCase(path.parent_path(), entry);
        if (!found) {
            warn(options, path.filename().string() + ": " + entry + ": missing");
            IndexProject missing;
            missing.name = stemOf(entry) + " (missing)";
            projects.push_back(std::move(missing));
            status = 1;
            continue;
        }
        std::string sub = fileNameFor(stemOf(found->filename().string()));
        for (int n = 2; !folders.insert(foldAsciiCase(sub)).second; ++n)
            sub = fileNameFor(stemOf(found->filename().string())) + "_" + std::to_string(n);
        IndexProject index;
        try {
            status |= writeProject(*found, fs::path(folder) / sub, sub + "/", services, options, index);
        } catch (const std::exception &error) {
            warn(options, entry + ": " + error.what());
            status = 1;
        }
        projects.push_back(std::move(index));
    }
    writeIndex(folder, indexPage(stemOf(path.filename().string()), projects, true), options);
    return status;
}

} // namespace quorbel::project
