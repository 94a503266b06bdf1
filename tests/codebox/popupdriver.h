#pragma once

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <functional>

namespace quorbel::testing {

// Runs step on the pop-up menu once one is shown (polled from the event loop
// that shows it); step closes it or triggers an entry. Gives up after about
// five seconds; seen tells whether it ran.
inline void whenPopupShown(std::function<void(QMenu &)> step, bool &seen, int triesLeft = 500)
{
    QTimer::singleShot(10, [step = std::move(step), &seen, triesLeft]() mutable {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()); menu != nullptr) {
            seen = true;
            step(*menu);
        } else if (triesLeft > 0) {
            whenPopupShown(std::move(step), seen, triesLeft - 1);
        }
    });
}

} // namespace quorbel::testing
