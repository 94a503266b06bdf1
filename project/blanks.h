#pragma once

#include <string_view>

namespace quorbel::project {

// text without the blanks and tabs at either end, as project and form files
// pad their keys and values.
inline std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace quorbel::project
