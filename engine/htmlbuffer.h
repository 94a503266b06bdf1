#pragma once

#include "engine/bytescan.h"
#include "platform/hugepages.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

namespace quorbel {

// Takes the HTML that a buffer hands on before it is done (see
// HtmlBuffer::handOnTo).
using HtmlConsumer = std::function<void(std::string_view)>;

// Appends to a string through a raw pointer: the colouriser writes a few
// bytes at a time, millions of times per page, and std::string's own append
// is an out-of-line call each time. The string is grown in large steps (its
// size runs ahead of what was written) and cut back to what was written by
// the destructor. Do not touch the string itself while a buffer writes to
// it, and let the buffer go before the string is moved.
class HtmlBuffer {
public:
    explicit HtmlBuffer(std::string &out) : m_out(out)
    {
        adviseHugePages(out.data(), out.capacity());
        repoint(out.size());
    }
    // Writes over out from its start, taking all of its size as room, and
    // leaves out's size as it is when it goes: a buffer filled again and
    // again then neither zero-fills nor allocates once it is big enough.
    // What was written is the first size() bytes.
    struct Reuse {};
    HtmlBuffer(std::string &out, Reuse) : m_out(out), m_keepSize(true)
    {
        m_next = out.data();
        m_end = out.data() + out.size();
    }
    ~HtmlBuffer()
    {
        if (!m_keepSize)
            m_out.resize(size());
    }
    HtmlBuffer(const HtmlBuffer &) = delete;
    HtmlBuffer &operator=(const HtmlBuffer &) = delete;

    [[gnu::always_inline]] void put(char c)
    {
        if (m_next == m_end)
            grow(1);
        *m_next++ = c;
    }
    [[gnu::always_inline]] void put(std::string_view text)
    {
        if (static_cast<std::size_t>(m_end - m_next) < text.size())
            grow(text.size());
        copyBytes(m_next, text.data(), text.size());
        m_next += text.size();
    }
    // Room for n more bytes, to be written through the pointer returned
    // without further checks; commit() then takes what was written.
    char *reserve(std::size_t n)
    {
        if (static_cast<std::size_t>(m_end - m_next) < n)
            grow(n);
        return m_next;
    }
    // Takes the bytes written after reserve() up to end.
    void commit(char *end) { m_next = end; }
    // Bytes held, the string's earlier content included: written so far
    // less what was handed on.
    std::size_t size() const { return static_cast<std::size_t>(m_next - m_out.data()); }
    // Where the next byte goes, counting what was handed on: a mark for
    // truncate that stays valid across a hand-on.
    std::size_t position() const { return m_handedOn + size(); }
    // Drops what was written after mark (a position() taken earlier); false
    // when some of it was handed on already and cannot be taken back (what
    // is held then stays as it is).
    bool truncate(std::size_t mark)
    {
        if (mark < m_handedOn)
            return false;
        if (mark < position())
            m_next = m_out.data() + (mark - m_handedOn);
        return true;
    }

    // From now on, when a writer allows it (mayHandOn) and more than bound
    // bytes are held, everything held, from the string's start, goes to
    // consumer and writing starts again at the string's start: a line or a
    // batch of any length then needs about bound bytes of room. consumer
    // must outlive the buffer.
    void handOnTo(const HtmlConsumer &consumer, std::size_t bound)
    {
        m_consumer = &consumer;
        m_bound = bound;
    }
    // A point where what is held may be handed on (see handOnTo).
    void mayHandOn()
    {
        if (m_consumer != nullptr && size() > m_bound)
            handOn();
    }

private:
    [[gnu::noinline]] void handOn()
    {
        const std::size_t held = size();
        (*m_consumer)(std::string_view(m_out.data(), held));
        m_handedOn += held;
        m_next = m_out.data();
    }
    [[gnu::noinline]] void grow(std::size_t needed)
    {
        const std::size_t used = size();
        // Within the room the caller reserved, a step of at most 64 KB: the
        // string's size is zero-filled, and every page touched costs a page
        // fault, so the size stays close to what was written (a buffer
        // reserved for the worst case then costs only what it holds). Beyond it,
        // half again as much as now: few copies of a growing string.
        constexpr std::size_t kStep = std::size_t{64} << 10;
        const std::size_t room = m_out.capacity() - used;
        std::size_t target;
        if (room >= needed)
            target = used + std::min(room, std::max(needed, kStep));
        else
            target = used + std::max(needed, used / 2 + 256);
        const char *before = m_out.data();
        m_out.resize(target);
        if (m_out.data() != before)
            adviseHugePages(m_out.data(), m_out.capacity());
        repoint(used);
    }
    void repoint(std::size_t used)
    {
        m_next = m_out.data() + used;
        m_end = m_out.data() + m_out.size();
    }

    std::string &m_out;
    bool m_keepSize = false;
    char *m_next = nullptr;
    char *m_end = nullptr;
    const HtmlConsumer *m_consumer = nullptr;
    std::size_t m_bound = 0;
    std::size_t m_handedOn = 0;
};

} // namespace quorbel
