#pragma once

#include <functional>
#include <string_view>

namespace quorbel {

// Calls f with every line of text (without its line break; a CR LF, an LF
// and a lone CR each end a line) that holds "sub " or "ction " in any case:
// every line that can declare a Sub or a Function, and few others. A text of many megabytes is searched 16 bytes at a
// time for the two words, not line by line.
void forEachDeclaringLine(std::string_view text, const std::function<void(std::string_view line)> &f);

} // namespace quorbel
