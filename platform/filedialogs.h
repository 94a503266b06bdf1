#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// The common file dialog: a person chooses a file to open or a name to save
// under. Filters are written as pairs of a description and a pattern, each
// part ended by "|": "HTML (*.html*)|*.html*" (several patterns of one pair
// separated by ";").
class FileDialogs {
public:
    enum class Kind { Open, Save };

    virtual ~FileDialogs() = default;
    // Shows the dialog with the filter and the file name it starts with.
    // Returns the path chosen, or nullopt when the person cancelled. A Save
    // dialog does not ask about an existing file: its caller does.
    virtual std::optional<std::string> show(Kind kind, std::string_view filter, std::string_view fileName) = 0;
};

} // namespace quorbel
