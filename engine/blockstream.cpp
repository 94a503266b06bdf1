#include "engine/blockstream.h"

#include "engine/bytescan.h"
#include "engine/colouriser.h"
#include "engine/heldmessages.h"
#include "engine/htmlbuffer.h"
#include "engine/piecerelay.h"
#include "engine/threadpipeline.h"
#include "engine/utf8.h"
#include "platform/messageboxes.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <thread>

namespace quorbel {

namespace {

// A batch whose HTML grows past this many bytes (one long line, say) hands
// it on in pieces of about this size while it is coloured.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// One batch in the making: its HTML, the names its lines declare and its
// messages. A slot is reused for batch after batch, so that its buffer is
// allocated once.
struct Slot {
    std::string source; // a copy of the batch, worked on in place
    std::string html;   // its first htmlSize bytes
    std::size_t htmlSize = 0;
    int lines = 0;
    ColouriserState state;
    HeldMessages messages;
    std::exception_ptr error; // the colouring failed (out of memory, say)
};

// The slots of a pipeline over the batches starting at starts (the text's
// end included), with room for a batch and its HTML from the start: a
// buffer grown step by step from nothing would be copied, and fresh memory
// faulted in, several times over. Real code grows about 3.2 times, a batch
// of short words up to eight times (a batch's HTML beyond kPieceBytes is
// handed on in pieces); the room is only reserved, and the buffer is
// written, and its pages touched, no further than its largest batch needs.
std::vector<Slot> makeSlots(const std::vector<std::size_t> &starts, unsigned threads)
{
    std::size_t largest = 0;
    for (std::size_t b = 0; b + 1 < starts.size(); ++b)
        largest = std::max(largest, starts[b + 1] - starts[b]);
    std::vector<Slot> slots(2 * std::size_t{threads});
    for (Slot &slot : slots) {
        slot.source.reserve(largest + 1 + Colouriser::kReadAhead);
        slot.html.reserve(std::min(8 * largest, 2 * kPieceBytes) + 4096);
    }
    return slots;
}

// Colours batch b of text (whose batches start at starts) into slot; HTML
// beyond kPieceBytes goes through relay.
void colourBatch(Slot &slot, std::string_view text, const std::vector<std::size_t> &starts, std::size_t b,
                 const LineColours &colours, PieceRelay &relay)
{
    slot.htmlSize = 0;
    slot.lines = 0;
    slot.state.restart();
    slot.messages.clear();
    slot.error = nullptr;
    try {
        slot.source.assign(text.substr(starts[b], starts[b + 1] - starts[b]));
        Colouriser colouriser(slot.state, slot.messages);
        HtmlBuffer out(slot.html, HtmlBuffer::Reuse{});
        const HtmlConsumer handOn = [&relay, b](std::string_view piece) { relay.handOn(b, piece); };
        out.handOnTo(handOn, kPieceBytes);
        slot.lines = colouriser.appendSourceLines(slot.source, b + 2 == starts.size(), colours, out);
        slot.htmlSize = out.size();
    } catch (const std::logic_error &) {
        throw; // a fault of the program (a question asked): the caller's
    } catch (...) {
        slot.error = std::current_exception();
    }
}

// The batch starts of text: 0, every cut, and the text's end.
std::vector<std::size_t> batchBounds(std::string_view text, std::size_t batchBytes)
{
    std::vector<std::size_t> starts = batchStarts(text, batchBytesFor(text.size(), batchBytes));
    starts.insert(starts.begin(), 0);
    starts.push_back(text.size());
    return starts;
}

// The lines a text box counts for text and the CR LF a conversion appends.
int boxLineCount(std::string_view text)
{
    int breaks = 0;
    scanBytes(text, '\r', '\n', [&](std::size_t i) {
        if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r'))
            ++breaks; // a CR LF is one break
        return true;
    });
    return breaks + 2;
}

unsigned threadCount(const StreamOptions &options, std::size_t batches)
{
    unsigned threads = options.threads != 0 ? options.threads : std::thread::hardware_concurrency();
    threads = std::clamp(threads, 1u, 64u);
    return static_cast<unsigned>(std::min<std::size_t>(threads, std::max<std::size_t>(batches, 1)));
}

} // namespace

SourceFacts collectNames(std::string_view text, ColouriserState &state, const StreamOptions &options)
{
    state.clearNames();
    const std::vector<std::size_t> starts = batchBounds(text, options.batchBytes);
    const std::size_t batches = starts.size() - 1;
    std::vector<ColouriserState> found(batches);
    std::vector<SourceFacts> facts(batches);
    runOnThreads(batches, threadCount(options, batches), [&](std::size_t b) {
        HeldMessages unused; // recording names shows nothing
        const std::string_view batch = text.substr(starts[b], starts[b + 1] - starts[b]);
        facts[b].nonAscii = hasNonAscii(batch);
        facts[b].validUtf8 = !facts[b].nonAscii || isValidUtf8(batch);
        Colouriser colouriser(found[b], unused);
        colouriser.recordNames(batch);
    });
    state.appendAll(found);
    SourceFacts all;
    for (std::size_t b = 0; b < batches; ++b) {
        all.validUtf8 = all.validUtf8 && facts[b].validUtf8;
        all.nonAscii = all.nonAscii || facts[b].nonAscii;
    }
    return all;
}

std::size_t batchBytesFor(std::size_t textSize, std::size_t asked)
{
    constexpr std::size_t kSmallest = std::size_t{64} << 10;
    constexpr std::size_t kLargest = std::size_t{256} << 10;
    return asked != 0 ? asked : std::clamp(textSize / 32, kSmallest, kLargest);
}

std::vector<std::size_t> batchStarts(std::string_view text, std::size_t batchBytes)
{
    std::vector<std::size_t> starts;
    batchBytes = std::max<std::size_t>(batchBytes, 1);
    std::size_t from = batchBytes;
    while (from < text.size()) {
        // The first break from here on whose line does not end with "_": a
        // comment can only go on after a line that does.
        std::size_t cut = text.size();
        for (std::size_t i = findLineBreak(text, from); i < text.size(); i = findLineBreak(text, i + 1)) {
            std::size_t start = i;
            if (text[i] == '\n' && i > 0 && text[i - 1] == '\r')
                start = i - 1; // the LF of a CR LF
            else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            if (start == 0 || text[start - 1] != '_') {
                cut = i + 1;
                break;
            }
        }
        if (cut >= text.size())
            break;
        starts.push_back(cut);
        from = cut + batchBytes;
    }
    return starts;
}

int streamCodeBlock(std::string_view text, std::string_view textColour, std::string_view keyColour,
                    std::string_view idColour, std::string_view commentColour, ColouriserState &state,
                    MessageBoxes &messages, const BlockSink &sink, const StreamOptions &options)
{
    state.restart();
    const LineColours colours = blockColours(keyColour, idColour, commentColour);
    // Counting the lines costs a scan of the text: only for a hook.
    const int total = options.progress ? boxLineCount(text) : 0;
    const auto goOn = [&](int done) {
        if (options.progress && !options.progress(done, total))
            throw ConversionStopped();
    };

    sink(blockHead(textColour));
    const std::vector<std::size_t> starts = batchBounds(text, options.batchBytes);
    const std::size_t batches = starts.size() - 1;
    const unsigned threads = threadCount(options, batches);
    int lines = 0;
    bool complete = true;
    std::string decorated; // reused from batch to batch
    {
        PieceRelay relay(batches);
        // When the pipeline stops (at the end, on an error), a thread that
        // waits to hand a piece on drops it and goes on.
        OrderedPipeline<Slot> pipeline(
            batches, makeSlots(starts, threads), threads,
            [&](Slot &slot, std::size_t b) {
                try {
                    colourBatch(slot, text, starts, b, colours, relay);
                } catch (...) {
                    relay.finish(b);
                    throw;
                }
                relay.finish(b);
            },
            [&relay] { relay.giveUp(); });
        for (std::size_t b = 0; b < batches; ++b) {
            relay.serve(b, sink); // the pieces of a batch handed on early
            Slot &slot = pipeline.take(b);
            slot.messages.replay(messages);
            if (slot.error) {
                // Out of memory, say: the block stops here, as Quorbel_OBJ's
                // does (without its end).
                complete = false;
                break;
            }
            state.append(std::move(slot.state));
            state.setCommentContinues(slot.state.commentContinues());
            lines += slot.lines;
            const std::string_view html = std::string_view(slot.html).substr(0, slot.htmlSize);
            if (options.decorate) {
                decorated.assign(html);
                options.decorate(decorated);
                sink(decorated);
            } else
                sink(html);
            pipeline.release(b);
            if (b + 1 < batches)
                goOn(lines);
        }
    }
    if (!complete) {
        messages.show("Error occured within Quorbel_OBJ", Buttons::Ok, Icon::Critical);
        return lines + 1; // and the empty line after the last CR LF
    }
    goOn(lines + 1);
    sink(kBlockFoot);
    return lines + 1; // and the empty line after the last CR LF
}

} // namespace quorbel
