#pragma once

#include <cstdint>
#include <optional>

namespace quorbel {

// The common colour dialog: a person chooses a colour, starting from the one
// given. Colours are colour values (red + 256 * green + 65536 * blue).
class ColourDialog {
public:
    virtual ~ColourDialog() = default;
    // The colour chosen, or nullopt when the person cancelled (or the dialog
    // could not be shown).
    virtual std::optional<std::int32_t> show(std::int32_t initial) = 0;
};

} // namespace quorbel
