#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// LF and lone CR become CR LF; CR LF stays.
std::string normaliseLineBreaks(std::string_view text);
// The same in place: the bytes move once, from the back, and only when a
// break must grow; text already in CR LF is only read.
void normaliseLineBreaksInPlace(std::string &text);

} // namespace quorbel
