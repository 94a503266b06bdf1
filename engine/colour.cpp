#include "engine/colour.h"

#include "platform/messageboxes.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace quorbel {

namespace {

constexpr std::int32_t kMaxColourValue = 16777215;

// Letters other than A to F count as A: the stored default "COCOCO" (letter
// O, not zero) has always been read that way and pages depend on it.
int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 10;
}

} // namespace

std::int32_t hexToRGB(std::string_view hex)
{
    std::int32_t result = 0;
    std::int32_t weight = 1;
    for (std::size_t pair = 0; pair < 3; ++pair) {
        int value = 0;
        for (std::size_t i = 2 * pair; i < 2 * pair + 2; ++i)
            value = 16 * value + (i < hex.size() ? digitValue(hex[i]) : 0);
        result += weight * value;
        weight *= 256;
    }
    return result;
}

std::int16_t rgbComponent(std::int32_t value, int index, MessageBoxes &messages)
{
    if (value < 0 || value > kMaxColourValue) {
        messages.show("The RGBcolor value must be between 0 and 16777215", Buttons::Ok, Icon::Critical, "Error");
        return 0;
    }
    if (index < 0 || index > 2)
        throw std::out_of_range("colour component index " + std::to_string(index) + " is not 0, 1 or 2");
    const auto blue = static_cast<std::int32_t>(floorOf(value / 65536.0));
    const auto green = static_cast<std::int32_t>(floorOf((value - 65536 * blue) / 256.0));
    const std::int32_t red = value - 65536 * blue - 256 * green;
    const std::array<std::int32_t, 3> components{red, green, blue};
    return static_cast<std::int16_t>(components[static_cast<std::size_t>(index)]);
}

std::string rgbToHex(std::int32_t value, MessageBoxes &messages)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(6);
    for (int index = 0; index < 3; ++index) {
        const int component = rgbComponent(value, index, messages);
        hex += kDigits[component / 16];
        hex += kDigits[component % 16];
    }
    return hex;
}

double floorOf(double x)
{
    return std::floor(x);
}

} // namespace quorbel
