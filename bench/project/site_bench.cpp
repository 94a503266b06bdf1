// The largest project of the corpus (by the bytes of the sources it lists)
// written as a site, as `quorbel convert PROJECT.vbp -o FOLDER` does: every
// source read and decoded, its page set written (frames, comment block),
// the links added and the index written. With and without links.
#include "engine/settings.h"
#include "platform/messageboxes.h"
#include "platform/posix/systemclock.h"
#include "platform/settings/memorysettingsstore.h"
#include "project/casepath.h"
#include "project/projectfile.h"
#include "project/site.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quorbel::bench {
namespace {

namespace fs = std::filesystem;

class FailingMessageBoxes : public MessageBoxes {
public:
    Answer show(std::string_view text, Buttons, Icon, std::optional<std::string_view>) override
    {
        throw std::runtime_error("unexpected message: " + std::string(text));
    }
};

std::uintmax_t sourceBytes(const fs::path &projectFile)
{
    std::ifstream in(projectFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::uintmax_t bytes = 0;
    for (const project::ProjectEntry &entry : project::parseProjectFile(text.str()).entries) {
        if (const auto path = project::findPathIgnoringCase(projectFile.parent_path(), entry.path))
            bytes += fs::file_size(*path);
    }
    return bytes;
}

// The corpus's project file whose sources weigh most.
std::pair<fs::path, std::uintmax_t> largestProject()
{
    std::pair<fs::path, std::uintmax_t> largest;
    for (const auto &entry : fs::recursive_directory_iterator(QUORBEL_CORPUS_DIR)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (!entry.is_regular_file() || ext != ".vbp")
            continue;
        if (const std::uintmax_t bytes = sourceBytes(entry.path()); bytes > largest.second)
            largest = {entry.path(), bytes};
    }
    return largest;
}

void writeLargestSite(benchmark::State &state, bool links)
{
    static const auto [projectFile, bytes] = largestProject();
    if (projectFile.empty()) {
        state.SkipWithError("no project in the corpus");
        return;
    }
    const MemorySettingsStore settings;
    FailingMessageBoxes messages;
    SystemClock clock;
    project::SiteOptions options;
    options.links = links;
    const fs::path folder = fs::temp_directory_path() / "quorbel-bench-site";
    for (auto _ : state)
        project::writeSite(projectFile.string(), folder.string(), EngineServices{settings, messages, clock}, options);
    state.SetLabel(projectFile.filename().string());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_LargestProjectSite(benchmark::State &state)
{
    writeLargestSite(state, true);
}
BENCHMARK(BM_LargestProjectSite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LargestProjectSiteWithoutLinks(benchmark::State &state)
{
    writeLargestSite(state, false);
}
BENCHMARK(BM_LargestProjectSiteWithoutLinks)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace quorbel::bench
