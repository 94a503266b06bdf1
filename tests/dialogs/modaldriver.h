#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quorbel::testing {

// Runs step on the modal window once one is shown (polled from the event
// loop that shows it), so that a test can look at a modal dialog and close
// it. Gives up after about five seconds; seen tells whether it ran.
inline void whenModalShown(std::function<void(QWidget &)> step, bool &seen, int triesLeft = 500)
{
    QTimer::singleShot(10, [step = std::move(step), &seen, triesLeft]() mutable {
        if (QWidget *modal = QApplication::activeModalWidget(); modal != nullptr && modal->isVisible()) {
            seen = true;
            step(*modal);
        } else if (triesLeft > 0) {
            whenModalShown(std::move(step), seen, triesLeft - 1);
        }
    });
}

} // namespace quorbel::testing
