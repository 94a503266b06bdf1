#pragma once

#include "platform/error.h"

#include <string>
#include <vector>

namespace quorbel {

// Raised when a document cannot be opened or a program cannot be started.
class ShellError : public Error {
public:
    using Error::Error;
};

// The desktop shell: opens a document or address with the user's program and
// starts programs. Never goes through a command interpreter: programs get an
// argument vector.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file or an address with the program the desktop associates
    // with it. Throws ShellError when nothing can be started.
    virtual void openDocument(const std::string &pathOrUrl) = 0;
    // Starts argv[0] (looked up on PATH) with the arguments, without a window
    // of its own and without waiting; returns its process id. Throws
    // ShellError when the program cannot be started.
    virtual long startProgram(const std::vector<std::string> &argv) = 0;
};

} // namespace quorbel
