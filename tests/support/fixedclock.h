#pragma once

#include "platform/clock.h"

#include <deque>
#include <string>

namespace quorbel::testing {

// A clock for tests: a fixed date, and times taken from a script (then the
// last time again).
class FixedClock : public Clock {
public:
    explicit FixedClock(std::string date = "3/20/2024") : m_date(std::move(date)) {}
    double secondsSinceMidnight() const override
    {
        if (times.size() > 1) {
            const double t = times.front();
            times.pop_front();
            return t;
        }
        return times.empty() ? 0.0 : times.front();
    }
    std::string shortDate() const override { return m_date; }

    mutable std::deque<double> times;

private:
    std::string m_date;
};

} // namespace quorbel::testing
