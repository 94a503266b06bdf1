// Line colouriser speed over the corpus, in bytes of source per second.
#include "bench/engine/corpus.h"

#include "engine/colouriser.h"
#include "engine/plaintextbox.h"
#include "platform/messageboxes.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace quorbel::bench {
namespace {

// A message box here means the benchmark measures an error path.
class FailingMessageBoxes : public MessageBoxes {
public:
    Answer show(std::string_view text, Buttons, Icon, std::optional<std::string_view>) override
    {
        throw std::runtime_error("unexpected message: " + std::string(text));
    }
};

void convertTexts(benchmark::State &state, const std::vector<std::string_view> &texts)
{
    std::vector<std::unique_ptr<PlainTextBox>> boxes;
    std::size_t bytes = 0;
    for (const std::string_view text : texts) {
        boxes.push_back(std::make_unique<PlainTextBox>(text));
        bytes += text.size();
    }
    FailingMessageBoxes messages;
    ColouriserState colouriserState;
    Colouriser colouriser(colouriserState, messages);
    for (auto _ : state) {
        for (const auto &box : boxes)
            benchmark::DoNotOptimize(colouriser.Quorbel_OBJ(*box, "", "", "", ""));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Every file of the corpus, one conversion each, as the page writer calls it.
void BM_Quorbel_OBJ_Corpus(benchmark::State &state)
{
    const auto &texts = corpus().texts;
    convertTexts(state, std::vector<std::string_view>(texts.begin(), texts.end()));
}
BENCHMARK(BM_Quorbel_OBJ_Corpus)->Unit(benchmark::kMillisecond);

// The largest file alone: the cost of a long text (one big block).
void BM_Quorbel_OBJ_LargestFile(benchmark::State &state)
{
    convertTexts(state, {corpus().largest});
}
BENCHMARK(BM_Quorbel_OBJ_LargestFile)->Unit(benchmark::kMillisecond);

// Every line of the corpus through line2html on its own (the line is copied
// back first, as line2html prepares it in place).
void BM_line2html_CorpusLines(benchmark::State &state)
{
    std::vector<std::string_view> lines;
    std::size_t bytes = 0;
    for (const std::string &text : corpus().texts) {
        for (const std::string_view line : linesOf(text)) {
            lines.push_back(line);
            bytes += line.size();
        }
    }
    FailingMessageBoxes messages;
    ColouriserState colouriserState;
    Colouriser colouriser(colouriserState, messages);
    std::string line;
    for (auto _ : state) {
        colouriserState.restart();
        for (const std::string_view source : lines) {
            line.assign(source);
            benchmark::DoNotOptimize(
                colouriser.line2html(line, kDefaultKeyColour, kDefaultIdColour, kDefaultCommentColour));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_line2html_CorpusLines)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorbel::bench
