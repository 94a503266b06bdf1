#include "platform/posix/posixshell.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace quorbel {

PosixShell::~PosixShell()
{
    collectEnded();
}

void PosixShell::collectEnded()
{
    std::erase_if(m_children, [](long pid) {
        int status = 0;
        return waitpid(static_cast<pid_t>(pid), &status, WNOHANG) != 0;
    });
}

void PosixShell::openDocument(const std::string &pathOrUrl)
{
    // A relative name that starts with "-" would be read as an option.
    const std::string argument = pathOrUrl.starts_with("-") ? "./" + pathOrUrl : pathOrUrl;
    startProgram({"xdg-open", argument});
}

long PosixShell::startProgram(const std::vector<std::string> &argv)
{
    if (argv.empty() || argv.front().empty())
        throw ShellError("no program to start");
    collectEnded();
    std::vector<char *> args;
    args.reserve(argv.size() + 1);
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str())); // posix_spawn's signature; not written
    args.push_back(nullptr);

    // The program gets no input of ours: it must not read the command
    // line's standard input.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw ShellError("cannot start " + argv.front() + ": " + std::strerror(rc));
    m_children.push_back(pid);
    return pid;
}

} // namespace quorbel
