#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorbel {

class MessageBoxes;

// Colour value: red + 256 * green + 65536 * blue, 0 to 16777215.
// Colour string: six upper-case hexadecimal digits, RRGGBB.

// The colour value of a colour string.
std::int32_t hexToRGB(std::string_view hex);
// The colour string of a colour value; an out-of-range value shows the range
// message once per component and gives "000000".
std::string rgbToHex(std::int32_t value, MessageBoxes &messages);
// Component 0 (red), 1 (green) or 2 (blue) of value; an out-of-range value
// shows the range message and gives 0. Throws std::out_of_range for another
// index.
std::int16_t rgbComponent(std::int32_t value, int index, MessageBoxes &messages);
// The largest whole number not greater than x.
double floorOf(double x);

} // namespace quorbel
