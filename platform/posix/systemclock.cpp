#include "platform/posix/systemclock.h"

#include <chrono>
#include <clocale>
#include <ctime>
#include <locale.h>

namespace quorbel {

double SystemClock::secondsSinceMidnight() const
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto fraction = std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(seconds)).count();
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

std::string SystemClock::shortDate() const
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    locale_t userLocale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (userLocale == static_cast<locale_t>(nullptr))
        userLocale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    char buffer[128];
    const std::size_t n = strftime_l(buffer, sizeof buffer, "%x", &local, userLocale);
    freelocale(userLocale);
    return std::string(buffer, n);
}

} // namespace quorbel
