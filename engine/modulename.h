#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// The value of the module's `Attribute VB_Name = "..."` line (keyword in any
// letter case, blanks around "=" allowed), or nothing when the text has none.
// The value is returned as written in the file: it is untrusted text.
std::optional<std::string> moduleName(std::string_view source);

} // namespace quorbel
