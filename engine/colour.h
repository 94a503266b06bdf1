#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorbel {

class MessageBoxes;

// Colour value: red + 256 * green + 65536 * blue, 0 to 16777215.
// Colour string: six upper-case hexadecimal digits, RRGGBB.

// The colour value of a colour string. Never fails and never reads past the
// end of hex; text that is not six hexadecimal digits converts by these rules:
// - each of the first six bytes gives one digit: '0' to '9' give 0 to 9,
//   'A' to 'F' and 'a' to 'f' give 10 to 15, and every other byte gives 10,
//   the value of 'A' (so the stored default "COCOCO", with the letter O,
//   gives 202 for each pair: 13290186);
// - a missing byte (text shorter than six bytes) gives 0, so "" gives 0;
// - bytes after the sixth are ignored.
std::int32_t hexToRGB(std::string_view hex);
// The colour string of a colour value; an out-of-range value shows the range
// message once per component (three times) and gives "000000".
std::string rgbToHex(std::int32_t value, MessageBoxes &messages);
// Component 0 (red), 1 (green) or 2 (blue) of value. An out-of-range value
// shows the range message (critical icon, title "Error", OK) and gives 0
// whatever the index; for a value in range, another index throws
// std::out_of_range.
std::int16_t rgbComponent(std::int32_t value, int index, MessageBoxes &messages);
// The largest whole number not greater than x.
double floorOf(double x);

} // namespace quorbel
