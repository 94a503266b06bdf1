#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// The number a text spells: decimal digits with an optional sign, decimal
// point and exponent, blanks around it allowed. nullopt for anything else
// (an empty text included).
std::optional<double> numberOf(std::string_view text);
// x rounded to a whole number, halves to the even neighbour (2.5 gives 2,
// 3.5 gives 4).
double roundHalfEven(double x);
// The whole number a stored text converts to (numberOf, then roundHalfEven).
// std::invalid_argument when the text is not a number or lies outside the
// 32-bit range.
std::int32_t wholeNumberOf(std::string_view text);
// x in decimal without blanks: the shortest form that reads back as x (30,
// 74.5, -3).
std::string decimalText(double x);

} // namespace quorbel
