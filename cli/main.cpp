// quorbel: converts VB6 sources to HTML page sets and edits the settings.
#include "cli/convertcommand.h"
#include "cli/guicommand.h"
#include "cli/options.h"
#include "cli/settingscommand.h"
#include "platform/hugepages.h"
#include "platform/posix/systemclock.h"
#include "platform/sqlite/sqlitesettingsstore.h"

#include <iostream>
#include <malloc.h>
#include <unistd.h>

using namespace quorbel;

namespace {

int run(cli::Invocation inv, const char *program)
{
    switch (inv.command) {
    case cli::Invocation::Command::Help:
        std::cout << cli::usageText();
        return 0;
    case cli::Invocation::Command::Version:
        std::cout << "quorbel " << QUORBEL_VERSION << '\n';
        return 0;
    case cli::Invocation::Command::Gui:
        return cli::runGui(program, inv.guiFile, std::cerr);
    case cli::Invocation::Command::Convert:
        // Every 4 KB page first written costs a page fault, and in a virtual
        // machine each costs more than converting the 4 KB: the heap of a
        // conversion (a short run, no threads yet) comes in 2 MB pages where
        // the system allows it.
        preferHugePagesForHeap(std::size_t{32} << 20);
        break;
    case cli::Invocation::Command::Settings:
        break;
    }
    const std::filesystem::path file =
        inv.settingsFile ? std::filesystem::path(*inv.settingsFile) : SqliteSettingsStore::defaultFile();
    SqliteSettingsStore store(file);
    if (inv.command == cli::Invocation::Command::Settings)
        return cli::runSettings(inv.settings, store, file, std::cout, std::cerr);
    SystemClock clock;
    inv.convert.progressLine = !inv.convert.quiet && isatty(STDERR_FILENO) == 1;
    return cli::runConvert(inv.convert, store, clock, std::cin, std::cout, std::cerr);
}

} // namespace

int main(int argc, char **argv)
{
    // A conversion makes and drops strings of up to megabytes. By default
    // each of them is mapped fresh from the system and returned when freed,
    // and every page of it costs a page fault when first written; kept in
    // the heap instead, freed memory is used again.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    try {
        const int status = run(cli::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc)), argv[0]);
        // A full disk or a closed pipe shows when the buffered output goes.
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "quorbel: cannot write to standard output\n";
            return status == 0 ? 1 : status;
        }
        return status;
    } catch (const cli::UsageError &error) {
        std::cerr << "quorbel: " << error.what() << '\n' << cli::usageText();
        return 2;
    } catch (const std::exception &error) {
        std::cerr << "quorbel: " << error.what() << '\n';
        return 1;
    }
}
