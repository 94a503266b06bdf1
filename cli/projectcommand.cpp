#include "cli/projectcommand.h"

#include "cli/options.h"
#include "platform/console/consolemessageboxes.h"
#include "project/site.h"

#include <filesystem>
#include <iostream>

namespace quorbel::cli {

int runProject(const ConvertOptions &options, const SettingsStore &settings, const Clock &clock, std::ostream &out,
               std::ostream &err)
{
    const std::string &source = options.sources.front();
    ConsoleMessageBoxes messages(err);
    const EngineServices services{settings, messages, clock};
    project::SiteOptions site;
    site.links = !options.noLinks;
    site.encoding = options.encoding;
    site.project = options.project;
    site.maxSize = options.maxSize;
    site.noClobber = options.noClobber;
    site.warn = [&err](const std::string &warning) { err << "quorbel: " << warning << '\n'; };
    if (!options.quiet)
        site.written = [&out](const std::string &page, const std::string &timing) {
            out << page << ": " << timing << '\n';
        };
    try {
        const int status = project::writeSite(source, *options.output, services, site);
        if (!options.quiet)
            out << (std::filesystem::path(*options.output) / "index.html").string() << '\n';
        return status;
    } catch (const std::exception &error) {
        err << "quorbel: " << source << ": " << error.what() << '\n';
        return 1;
    }
}

} // namespace quorbel::cli
