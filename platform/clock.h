#pragma once

#include <string>

namespace quorbel {

// The clock: seconds since midnight for timing, today's date for pages.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with fractions.
    virtual double secondsSinceMidnight() const = 0;
    // Today's date in the platform's short date form (the locale's).
    virtual std::string shortDate() const = 0;
};

} // namespace quorbel
