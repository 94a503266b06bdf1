#pragma once

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <functional>

namespace quorbel::testing {

// Runs step on the pop-up menu once one is shown (polled from the event loop
// that shows it); step closes it or triggers an entry. Stops looking when
// the watch goes out of scope; seen() tells whether step ran.
class PopupWatch {
public:
    explicit PopupWatch(std::function<void(QMenu &)> step) : m_step(std::move(step))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()); menu != nullptr) {
                m_timer.stop();
                m_seen = true;
                m_step(*menu);
            }
        });
        m_timer.start(10);
    }
    bool seen() const { return m_seen; }

private:
    std::function<void(QMenu &)> m_step;
    QTimer m_timer;
    bool m_seen = false;
};

} // namespace quorbel::testing
