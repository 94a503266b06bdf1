#pragma once

#include "platform/shell.h"

#include <vector>

namespace quorbel {

// The shell on a POSIX desktop: programs are started with posix_spawnp and
// an argument vector (never through a command interpreter); documents and
// addresses are opened with xdg-open. Started programs are not waited for;
// those that have ended are collected on the next start and when the shell
// is destroyed, so none is left behind as a zombie.
class PosixShell : public Shell {
public:
    PosixShell() = default;
    ~PosixShell() override;
    PosixShell(const PosixShell &) = delete;
    PosixShell &operator=(const PosixShell &) = delete;

    void openDocument(const std::string &pathOrUrl) override;
    long startProgram(const std::vector<std::string> &argv) override;

private:
    void collectEnded();
    std::vector<long> m_children;
};

} // namespace quorbel
