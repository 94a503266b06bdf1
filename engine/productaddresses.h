#pragma once

#include <string_view>

namespace quorbel {

// The contact addresses and the information page of the product.
inline constexpr std::string_view kProductPage = "https://quorbel.example.org/";
inline constexpr std::string_view kContactAddress = "contact@quorbel.example.org";
inline constexpr std::string_view kBugReportAddress = "bugs@quorbel.example.org";

} // namespace quorbel
