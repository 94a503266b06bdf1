#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace quorbel {

// Runs work(item) for every item from 0 to items - 1 on up to threads
// threads, the calling thread among them, in any order. An exception that
// work throws on any thread ends the run: no item is started after it, the
// threads are joined, and the first exception is rethrown on the calling
// thread.
void runOnThreads(std::size_t items, unsigned threads, const std::function<void(std::size_t item)> &work);

// Items worked on by threads in any order and handed to the calling thread
// in order. Each item is worked into one slot of a ring: item i goes into
// slot i % slots.size() once every item before i - slots.size() has been
// released, so that a slot and its buffers serve item after item. An
// exception that work throws is carried back and rethrown by take() for
// that item on the calling thread.
template<class Slot>
class OrderedPipeline {
public:
    using Work = std::function<void(Slot &slot, std::size_t item)>;

    // slots are set up by the caller (buffers reserved, say); there should
    // be at least as many as threads. threads are started at once; when
    // starting one fails, those started are stopped and the error passes on.
    // A work that can wait for the calling thread is given unblock: stop()
    // calls it before it waits for the threads, to end such a wait.
    OrderedPipeline(std::size_t items, std::vector<Slot> slots, unsigned threads, Work work,
                    std::function<void()> unblock = {})
        : m_items(items), m_slots(std::move(slots)), m_work(std::move(work)), m_unblock(std::move(unblock)),
          m_states(m_slots.size())
    {
        try {
            for (unsigned t = 0; t < threads; ++t)
                m_threads.emplace_back([this] { run(); });
        } catch (...) {
            stop(); // the threads started so far; the destructor will not run
            throw;
        }
    }
    ~OrderedPipeline() { stop(); }
    OrderedPipeline(const OrderedPipeline &) = delete;
    OrderedPipeline &operator=(const OrderedPipeline &) = delete;

    std::size_t items() const { return m_items; }

    // Waits for item (items are taken in order, each once); the slot stays
    // the caller's until release(item). Rethrows what the work threw.
    Slot &take(std::size_t item)
    {
        const std::size_t s = item % m_slots.size();
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return m_states[s].item == item; });
        if (m_states[s].error)
            std::rethrow_exception(std::exchange(m_states[s].error, nullptr));
        return m_slots[s];
    }
    void release(std::size_t item)
    {
        {
            std::lock_guard lock(m_mutex);
            m_released = item + 1;
        }
        m_free.notify_all();
    }
    // Stops the threads once their current items are done; the items not
    // started are never worked on. Called by the destructor.
    void stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_free.notify_all();
        if (m_unblock)
            m_unblock();
        for (std::thread &thread : m_threads) {
            if (thread.joinable())
                thread.join();
        }
    }

private:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    struct SlotState {
        std::size_t item = kNone; // the item the slot holds, once worked on
        std::exception_ptr error;
    };

    void run()
    {
        for (;;) {
            std::size_t item;
            {
                std::unique_lock lock(m_mutex);
                m_free.wait(lock,
                            [&] { return m_stopping || m_next >= m_items || m_next < m_released + m_slots.size(); });
                if (m_stopping || m_next >= m_items)
                    return;
                item = m_next++;
            }
            const std::size_t s = item % m_slots.size();
            std::exception_ptr error;
            try {
                m_work(m_slots[s], item);
            } catch (...) {
                error = std::current_exception();
            }
            {
                std::lock_guard lock(m_mutex);
                m_states[s] = {item, error};
            }
            m_ready.notify_all();
        }
    }

    std::size_t m_items;
    std::vector<Slot> m_slots;
    Work m_work;
    std::function<void()> m_unblock;
    std::vector<SlotState> m_states; // guarded by m_mutex
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_free;  // a slot was released, or stop
    std::condition_variable m_ready; // an item was worked on
    std::size_t m_next = 0;          // the next item to work on
    std::size_t m_released = 0;      // items released so far
    bool m_stopping = false;
};

} // namespace quorbel
