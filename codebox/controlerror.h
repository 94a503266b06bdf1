#pragma once

#include "platform/error.h"

#include <string>

namespace quorbel {

// An error an embeddable control raises to its host: the platform's error
// number and a text that says what went wrong.
class ControlError : public Error {
public:
    ControlError(int number, const std::string &message) : Error(message), m_number(number) {}

    int number() const { return m_number; }

private:
    int m_number;
};

// Error numbers the code box raises.
inline constexpr int kErrorSetAtDesignTime = 387;   // a run-time-only property set while the host is designed
inline constexpr int kErrorReadOnlyAtRunTime = 382; // a read-only property set at run time

} // namespace quorbel
