#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorbel::testing {

// What a look over every page of a written site found.
struct SiteCheck {
    int pages = 0;
    int links = 0;                     // local links followed
    std::vector<std::string> problems; // one line each: a link that leads nowhere, an anchor name used twice
};

// Reads every .html page under root, and each tag's HREF and SRC that is
// not an outside address (http:, https:, mailto:): its file must exist
// and its fragment must name an anchor (NAME) of that file. Every anchor
// name must be unique in its page.
SiteCheck checkSite(const std::filesystem::path &root);

} // namespace quorbel::testing
