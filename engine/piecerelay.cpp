#include "engine/piecerelay.h"

namespace quorbel {

void PieceRelay::handOn(std::size_t batch, std::string_view piece)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_givenUp || (m_serving == batch && m_piece == nullptr); });
    if (m_givenUp)
        return;
    m_piece = &piece;
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_givenUp || m_piece != &piece; });
}

void PieceRelay::finish(std::size_t batch)
{
    {
        std::lock_guard lock(m_mutex);
        m_finished[batch] = true;
    }
    m_changed.notify_all();
}

void PieceRelay::serve(std::size_t batch, const std::function<void(std::string_view)> &take)
{
    std::unique_lock lock(m_mutex);
    m_serving = batch;
    m_changed.notify_all();
    for (;;) {
        m_changed.wait(lock, [&] { return m_piece != nullptr || m_finished[batch]; });
        if (m_piece == nullptr)
            break;
        // The colouring thread waits while its piece is taken.
        const std::string_view piece = *m_piece;
        lock.unlock();
        take(piece);
        lock.lock();
        m_piece = nullptr;
        m_changed.notify_all();
    }
    m_serving = kNone;
}

void PieceRelay::giveUp()
{
    {
        std::lock_guard lock(m_mutex);
        m_givenUp = true;
    }
    m_changed.notify_all();
}

} // namespace quorbel
