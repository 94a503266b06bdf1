#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The iconv name of the encoding bytes (not UTF-8) are most likely written
// in, as the Windows code page that extends what the detector names; empty
// when detection fails. Windows-1252 is named kWindows1252.
std::string detectEncoding(std::string_view bytes);

} // namespace quorbel
