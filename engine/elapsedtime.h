#pragma once

namespace quorbel {

inline constexpr double kSecondsPerDay = 86400.0;

// Seconds from start to end, both read as seconds since midnight. A run that
// passed midnight reads an end below its start; it took the rest of that
// day plus end. A run that took no time takes 0 seconds.
constexpr double elapsedSeconds(double start, double end)
{
    const double seconds = end - start;
    return seconds < 0 ? seconds + kSecondsPerDay : seconds;
}

} // namespace quorbel
