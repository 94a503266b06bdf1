#pragma once

#include <stdexcept>

namespace quorbel {

// A conversion that cannot go on: a target name without extension, a folder
// or page that cannot be made, a setting value the writer cannot use, a
// source that cannot be decoded. what() is one line that names the file or
// the setting.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text given as UTF-8 to a conversion that was asked to check it, and is
// not: nothing has been written; the caller decodes the bytes and converts
// again.
class NotUtf8Error : public ConversionError {
public:
    using ConversionError::ConversionError;
};

} // namespace quorbel
