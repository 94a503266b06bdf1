#include "cli/inputguard.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace quorbel::cli {
namespace {

// What the handler writes: prepared beforehand, since a signal handler may
// only call functions that are safe there (write and _exit).
char g_message[4096];
std::size_t g_length = 0;
struct sigaction g_previous {};

extern "C" void onBusError(int)
{
    const ssize_t written = ::write(STDERR_FILENO, g_message, g_length);
    (void)written;
    ::_exit(1);
}

} // namespace

InputGuard::InputGuard(const std::string &path)
{
    const std::string message = "quorbel: " + path + ": the file changed while it was read\n";
    g_length = std::min(message.size(), sizeof g_message);
    std::memcpy(g_message, message.data(), g_length);
    struct sigaction action {};
    action.sa_handler = onBusError;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &g_previous);
}

InputGuard::~InputGuard()
{
    sigaction(SIGBUS, &g_previous, nullptr);
}

} // namespace quorbel::cli
