#pragma once

#include "platform/fileerror.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorbel {

// The bytes of one file, held for as long as the object lives.
class FileContents {
public:
    virtual ~FileContents() = default;
    virtual std::string_view view() const = 0;
};

// Gives the bytes of a file without a copy where the platform can: a regular
// file is seen in place (from the system's cache), anything else (a pipe, a
// device) is read.
class FileMapping {
public:
    virtual ~FileMapping() = default;
    // Throws FileError when the file is missing, unreadable or a folder.
    virtual std::unique_ptr<FileContents> open(const std::string &path) const = 0;
};

} // namespace quorbel
