// Page writer speed: a whole conversion to one page on disk (settings read,
// code block, comment block, file written), in bytes of source per second.
#include "bench/engine/corpus.h"

#include "engine/pagestate.h"
#include "engine/pagewriter.h"
#include "engine/plaintextbox.h"
#include "engine/settingkeys.h"
#include "engine/settings.h"
#include "platform/label.h"
#include "platform/messageboxes.h"
#include "platform/posix/systemclock.h"
#include "platform/settings/memorysettingsstore.h"

#include <benchmark/benchmark.h>

#include <filesystem>
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

// One page with the comment block, as `quorbel convert` writes it with
// frames off: in memory by srcToHTML (what the add-in does), or streamed by
// writePages on one or more threads (what the command line does).
void convertToPage(benchmark::State &state, std::string_view text, unsigned streamThreads = 0)
{
    MemorySettingsStore settings;
    settings.set(kSettingsApp, kSettingsSection, keys::Frames, "0");
    settings.set(kSettingsApp, kSettingsSection, keys::CommentsPrintCommentsInHTML, "1");
    settings.set(kSettingsApp, kSettingsSection, keys::CommentsFrames, "0");
    FailingMessageBoxes messages;
    SystemClock clock;
    PageState pageState;
    pageState.PageExt = "html";
    pageState.CodeName = "Module1";
    pageState.ProjectName = "Project1";
    const EngineServices services{settings, messages, clock};
    PageWriter writer(pageState, services);
    PlainLabel label;
    const fs::path folder = fs::temp_directory_path() / "quorbel-bench-pages";
    fs::create_directories(folder);
    const std::string target = (folder / "Module1.html").string();
    for (auto _ : state) {
        if (streamThreads > 0) {
            writer.writePages(text, target, label, StreamOptions{streamThreads});
            continue;
        }
        state.PauseTiming();
        PlainTextBox box(text); // srcToHTML appends to the box's text
        state.ResumeTiming();
        benchmark::DoNotOptimize(writer.srcToHTML(box, target, label));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    fs::remove_all(folder);
}

void BM_srcToHTML_LargestFile(benchmark::State &state)
{
    convertToPage(state, corpus().largest);
}
BENCHMARK(BM_srcToHTML_LargestFile)->Unit(benchmark::kMillisecond);

// Every file of the corpus joined into one text of about 16 MB.
const std::string &wholeCorpus()
{
    static const std::string joined = [] {
        std::string text;
        for (const std::string &file : corpus().texts)
            text += file;
        return text;
    }();
    return joined;
}

void BM_srcToHTML_WholeCorpus(benchmark::State &state)
{
    convertToPage(state, wholeCorpus());
}
BENCHMARK(BM_srcToHTML_WholeCorpus)->Unit(benchmark::kMillisecond);

// The argument is the number of threads that colour.
void BM_writePages_WholeCorpus(benchmark::State &state)
{
    convertToPage(state, wholeCorpus(), static_cast<unsigned>(state.range(0)));
}
BENCHMARK(BM_writePages_WholeCorpus)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace quorbel::bench
