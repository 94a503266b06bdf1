#include "engine/blockstream.h"

#include "engine/bytescan.h"
#include "engine/colouriser.h"
#include "engine/htmlbuffer.h"
#include "engine/sourcetext.h"
#include "platform/messageboxes.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <iterator>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

namespace quorbel {

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// Keeps the messages of a batch coloured on another thread, to be shown in
// order on the calling thread.
class HeldMessages : public MessageBoxes {
public:
    struct Message {
        std::string text;
        Buttons buttons;
        Icon icon;
        std::optional<std::string> title;
    };
    Answer show(std::string_view text, Buttons buttons, Icon icon, std::optional<std::string_view> title) override
    {
        held.push_back({std::string(text), buttons, icon, title ? std::optional<std::string>(*title) : std::nullopt});
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    std::vector<Message> held;
};

// One batch in the making: its HTML, the names its lines declare and its
// messages. A slot is reused for batch after batch, so that its buffer is
// allocated once.
struct Slot {
    std::size_t batch = kNone; // the batch the slot holds, once coloured
    std::string source;        // a copy of the batch, worked on in place
    std::string html;          // its first htmlSize bytes
    std::size_t htmlSize = 0;
    int lines = 0;
    ColouriserState state;
    HeldMessages messages;
    std::exception_ptr error;
};

// The batches of a text and the threads that colour them. Batch b is
// coloured into slot b % slots.size() once every batch before b -
// slots.size() has been handed on; the calling thread hands them on in
// order.
class Pipeline {
public:
    Pipeline(std::string_view text, std::vector<std::size_t> starts, const LineColours &colours, unsigned threads)
        : m_text(text), m_starts(std::move(starts)), m_colours(colours), m_slots(2 * std::size_t{threads})
    {
        m_starts.insert(m_starts.begin(), 0);
        m_starts.push_back(text.size());
        // Room for a batch and its HTML from the start (real code grows
        // about 3.2 times): a buffer grown step by step from nothing would
        // be copied, and fresh memory faulted in, several times over.
        std::size_t largest = 0;
        for (std::size_t b = 0; b + 1 < m_starts.size(); ++b)
            largest = std::max(largest, m_starts[b + 1] - m_starts[b]);
        for (Slot &slot : m_slots) {
            slot.source.reserve(std::min(largest, text.size()) + 1);
            slot.html.reserve(4 * std::min(largest, text.size()) + 4096);
        }
        try {
            for (unsigned t = 0; t < threads; ++t)
                m_threads.emplace_back([this] { work(); });
        } catch (...) {
            stop(); // the threads started so far; the destructor will not run
            throw;
        }
    }
    ~Pipeline() { stop(); }
    Pipeline(const Pipeline &) = delete;
    Pipeline &operator=(const Pipeline &) = delete;

    std::size_t batches() const { return m_starts.size() - 1; }

    // Waits for batch b; the slot stays the caller's until release(b).
    Slot &take(std::size_t b)
    {
        Slot &slot = m_slots[b % m_slots.size()];
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return slot.batch == b; });
        return slot;
    }
    void release(std::size_t b)
    {
        {
            std::lock_guard lock(m_mutex);
            m_handedOn = b + 1;
        }
        m_free.notify_all();
    }
    void stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_free.notify_all();
        for (std::thread &thread : m_threads) {
            if (thread.joinable())
                thread.join();
        }
    }

private:
    void work()
    {
        for (;;) {
            std::size_t b;
            {
                std::unique_lock lock(m_mutex);
                m_free.wait(lock,
                            [&] { return m_stopping || m_next >= batches() || m_next < m_handedOn + m_slots.size(); });
                if (m_stopping || m_next >= batches())
                    return;
                b = m_next++;
            }
            Slot &slot = m_slots[b % m_slots.size()];
            colour(slot, b);
            {
                std::lock_guard lock(m_mutex);
                slot.batch = b;
            }
            m_ready.notify_all();
        }
    }
    void colour(Slot &slot, std::size_t b)
    {
        slot.htmlSize = 0;
        slot.state.restart();
        slot.messages.held.clear();
        slot.error = nullptr;
        try {
            slot.source.assign(m_text.substr(m_starts[b], m_starts[b + 1] - m_starts[b]));
            Colouriser colouriser(slot.state, slot.messages);
            HtmlBuffer out(slot.html, HtmlBuffer::Reuse{});
            slot.lines = colouriser.appendSourceLines(slot.source, b + 1 == batches(), m_colours, out);
            slot.htmlSize = out.size();
        } catch (...) {
            slot.error = std::current_exception();
        }
    }

    std::string_view m_text;
    std::vector<std::size_t> m_starts; // batch b is [m_starts[b], m_starts[b + 1])
    const LineColours &m_colours;
    std::vector<Slot> m_slots;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_free;  // a slot was handed on, or stop
    std::condition_variable m_ready; // a batch was coloured
    std::size_t m_next = 0;          // the next batch to colour
    std::size_t m_handedOn = 0;      // batches handed on so far
    bool m_stopping = false;
};

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
    std::vector<std::size_t> starts = batchStarts(text, options.batchBytes);
    starts.insert(starts.begin(), 0);
    starts.push_back(text.size());
    const std::size_t batches = starts.size() - 1;
    std::vector<ColouriserState> found(batches);
    std::vector<SourceFacts> facts(batches);
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        HeldMessages unused; // recording names shows nothing
        for (std::size_t b = next++; b < batches; b = next++) {
            const std::string_view batch = text.substr(starts[b], starts[b + 1] - starts[b]);
            facts[b].nonAscii = hasNonAscii(batch);
            facts[b].validUtf8 = !facts[b].nonAscii || isValidUtf8(batch);
            Colouriser colouriser(found[b], unused);
            colouriser.recordNames(batch);
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (unsigned t = 1; t < threadCount(options, batches); ++t)
            helpers.emplace_back(work);
        work();
    }
    SourceFacts all;
    for (std::size_t b = 0; b < batches; ++b) {
        state.append(std::move(found[b]));
        all.validUtf8 = all.validUtf8 && facts[b].validUtf8;
        all.nonAscii = all.nonAscii || facts[b].nonAscii;
    }
    return all;
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

    sink(blockHead(textColour));
    std::vector<std::size_t> starts = batchStarts(text, options.batchBytes);
    const unsigned threads = threadCount(options, starts.size() + 1);
    int lines = 0;
    bool complete = true;
    {
        Pipeline pipeline(text, std::move(starts), colours, threads);
        for (std::size_t b = 0; b < pipeline.batches(); ++b) {
            Slot &slot = pipeline.take(b);
            for (const HeldMessages::Message &message : slot.messages.held)
                messages.show(message.text, message.buttons, message.icon, message.title);
            if (slot.error) {
                // Out of memory, say: the block stops here, as Quorbel_OBJ's
                // does (without its end).
                complete = false;
                break;
            }
            state.append(std::move(slot.state));
            state.setCommentContinues(slot.state.commentContinues());
            lines += slot.lines;
            sink(std::string_view(slot.html).substr(0, slot.htmlSize));
            pipeline.release(b);
        }
    }
    if (!complete) {
        messages.show("Error occured within Quorbel_OBJ", Buttons::Ok, Icon::Critical);
        return lines + 1; // and the empty line after the last CR LF
    }
    sink(kBlockFoot);
    return lines + 1; // and the empty line after the last CR LF
}

} // namespace quorbel
