#pragma once

#include "platform/error.h"

#include <string>

namespace quorbel {

// A file that cannot be read or written. what() reads "<path>: <reason>";
// description() is the platform's reason alone.
class FileError : public Error {
public:
    FileError(const std::string &path, const std::string &description)
        : Error(path + ": " + description), m_description(description)
    {
    }
    const std::string &description() const { return m_description; }

private:
    std::string m_description;
};

} // namespace quorbel
