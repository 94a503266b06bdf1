#pragma once

#include <QString>

namespace quorbel {

// The clipboard as the code box reads it: whether it holds text, and the text.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // True when the clipboard holds text (the platform's plain-text format).
    virtual bool hasText() const = 0;
    // The clipboard's text; empty when it holds none.
    virtual QString text() const = 0;
};

} // namespace quorbel
