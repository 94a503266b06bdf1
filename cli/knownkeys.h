#pragma once

#include <string_view>

namespace quorbel::cli {

// Whether key (in any letter case) is a setting that Quorbel reads or
// writes: a key of the table, a syntax colour key, or a META tag key.
bool isKnownKey(std::string_view key);

} // namespace quorbel::cli
