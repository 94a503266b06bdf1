#include "dialogs/numbertext.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace quorbel {

std::optional<double> numberOf(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only digits or a decimal point may start the number: from_chars would
    // also take "inf" and "nan".
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

double roundHalfEven(double x)
{
    const double down = std::floor(x);
    const double rest = x - down;
    if (rest > 0.5)
        return down + 1;
    if (rest < 0.5)
        return down;
    return std::fmod(down, 2) == 0 ? down : down + 1;
}

std::int32_t wholeNumberOf(std::string_view text)
{
    const std::optional<double> number = numberOf(text);
    if (!number)
        throw std::invalid_argument("not a number: " + std::string(text));
    const double whole = roundHalfEven(*number);
    if (whole < -2147483648.0 || whole > 2147483647.0)
        throw std::invalid_argument("number out of range: " + std::string(text));
    return static_cast<std::int32_t>(whole);
}

std::string decimalText(double x)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, x);
    (void)error;
    std::string text(buffer, end);
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace quorbel
