#pragma once

#include "platform/error.h"

namespace quorbel {

// A conversion that cannot go on: a target name without extension, a folder
// or page that cannot be made, a setting value the writer cannot use, a
// source that cannot be decoded. what() is one line that names the file or
// the setting.
class ConversionError : public Error {
public:
    using Error::Error;
};

} // namespace quorbel
