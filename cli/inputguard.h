#pragma once

#include <string>

namespace quorbel::cli {

// A source file is read through a mapping of its pages. When another program
// shortens the file meanwhile, reading a page past its new end raises SIGBUS,
// which would end the process as a crash. While a guard lives, that signal
// instead ends the process with "quorbel: <path>: the file changed while it
// was read" on standard error and exit status 1. One guard at a time.
class InputGuard {
public:
    explicit InputGuard(const std::string &path);
    ~InputGuard();
    InputGuard(const InputGuard &) = delete;
    InputGuard &operator=(const InputGuard &) = delete;
};

} // namespace quorbel::cli
