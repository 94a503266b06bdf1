#pragma once

#include <string_view>

namespace quorbel {

// The contact addresses and pages of the product, and the placeholders the
// comment block shows before the user gives their own.
inline constexpr std::string_view kProductPage = "https://quorbel.example.org/";
inline constexpr std::string_view kContactAddress = "contact@quorbel.example.org";
inline constexpr std::string_view kBugReportAddress = "bugs@quorbel.example.org";
inline constexpr std::string_view kPlaceholderEmail = "your.name@example.com";
inline constexpr std::string_view kPlaceholderWebSite = "https://www.example.com/";

} // namespace quorbel
