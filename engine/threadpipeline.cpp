#include "engine/threadpipeline.h"

#include <atomic>

namespace quorbel {

void runOnThreads(std::size_t items, unsigned threads, const std::function<void(std::size_t item)> &work)
{
    std::atomic<std::size_t> next = 0;
    std::mutex mutex;
    std::exception_ptr first;
    const auto run = [&] {
        try {
            for (std::size_t item = next++; item < items; item = next++)
                work(item);
        } catch (...) {
            next = items; // no item is started after an error
            std::lock_guard lock(mutex);
            if (!first)
                first = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        try {
            for (unsigned t = 1; t < threads && t < items; ++t)
                helpers.emplace_back(run);
        } catch (...) {
            next = items; // the helpers started stop; the error is the caller's
            throw;
        }
        run();
    }
    if (first)
        std::rethrow_exception(first);
}

} // namespace quorbel
