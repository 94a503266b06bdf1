#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <limits>
#include <mutex>
#include <string_view>
#include <vector>

namespace quorbel {

// Carries the HTML of a batch that outgrows its buffer (one long line, say)
// from the thread colouring it to the calling thread while the batch is
// still being coloured, so that a batch of any size needs a buffer of a few
// megabytes. The colouring thread waits until its batch is the one the
// calling thread serves and until the piece was taken: one piece per thread
// is held at a time, and the pieces reach the sink in order.
class PieceRelay {
public:
    explicit PieceRelay(std::size_t batches) : m_finished(batches, false) {}
    PieceRelay(const PieceRelay &) = delete;
    PieceRelay &operator=(const PieceRelay &) = delete;

    // On a colouring thread: hands piece of batch on; returns once the
    // piece was taken, or at once, the piece dropped, when the calling
    // thread gave up.
    void handOn(std::size_t batch, std::string_view piece);
    // On a colouring thread: batch is done (or failed); no more pieces.
    void finish(std::size_t batch);

    // On the calling thread: passes the pieces of batch to take as they
    // come, until the batch is done. What take throws passes on (call
    // giveUp before waiting for the colouring threads).
    void serve(std::size_t batch, const std::function<void(std::string_view)> &take);
    // The calling thread takes no more pieces: every piece is dropped.
    void giveUp();

private:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<bool> m_finished;
    std::size_t m_serving = kNone;             // the batch served now
    const std::string_view *m_piece = nullptr; // waiting to be taken
    bool m_givenUp = false;
};

} // namespace quorbel
