#pragma once

#include "platform/clock.h"

namespace quorbel {

// The system's clock in local time. The short date follows the user's
// LC_TIME (LC_ALL, LC_TIME, LANG) without changing the process's locale;
// an unknown locale falls back to the C form (mm/dd/yy).
class SystemClock : public Clock {
public:
    double secondsSinceMidnight() const override;
    std::string shortDate() const override;
};

} // namespace quorbel
