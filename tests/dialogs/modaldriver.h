#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quorbel::testing {

// Runs step on the modal window once one is shown (polled from the event
// loop that shows it), so that a test can look at a modal dialog and close
// it. Stops looking when the watch goes out of scope; seen() tells whether
// step ran.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget &)> step) : m_step(std::move(step))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget(); modal != nullptr && modal->isVisible()) {
                m_timer.stop();
                m_seen = true;
                m_step(*modal);
            }
        });
        m_timer.start(10);
    }
    bool seen() const { return m_seen; }

private:
    std::function<void(QWidget &)> m_step;
    QTimer m_timer;
    bool m_seen = false;
};

} // namespace quorbel::testing
