#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Appends source text to HTML: "<" becomes "&lt;" and "&" becomes "&amp;",
// everything else (">" and quotes included) is copied unchanged. This is
// how code and comment text enter the code block.
void appendHtmlText(std::string &out, std::string_view text);

// A Sub or Function name as it is written into a page (anchor names, link
// targets, list entries): "&", "<", ">", "'" and '"' become entities, so a
// name can close neither the attribute nor the tag it stands in. A plain
// identifier is written unchanged.
std::string escapeHtmlName(std::string_view name);

} // namespace quorbel
