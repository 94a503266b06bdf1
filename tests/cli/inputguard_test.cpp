#include "cli/inputguard.h"
#include "platform/posix/posixfilemapping.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace quorbel::cli {
namespace {

// Reads every page of text, as a conversion does.
int touchAll(std::string_view text)
{
    int sum = 0;
    for (std::size_t i = 0; i < text.size(); i += 4096)
        sum += text[i];
    return sum;
}

TEST(InputGuardDeathTest, AFileShortenedWhileMappedEndsWithAMessageNotACrash)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto path = testing::scratchFolder("inputguard", "shrunk") / "big.bas";
    testing::writeBytes(path, std::string(1 << 20, 'x'));
    EXPECT_EXIT(
        {
            InputGuard guard(path.string());
            const auto bytes = PosixFileMapping().open(path.string());
            const int fd = ::open(path.c_str(), O_WRONLY);
            if (fd < 0 || ::ftruncate(fd, 0) != 0)
                std::_Exit(3);
            std::_Exit(touchAll(bytes->view()) == 0 ? 4 : 5);
        },
        ::testing::ExitedWithCode(1), "big.bas: the file changed while it was read");
}

TEST(InputGuard, LeavesTheFileAndTheSignalAsTheyWere)
{
    const auto path = testing::scratchFolder("inputguard", "kept") / "a.bas";
    testing::writeBytes(path, "Sub A()\r\n");
    struct sigaction before {
    }, after{};
    sigaction(SIGBUS, nullptr, &before);
    {
        InputGuard guard(path.string());
        EXPECT_EQ(PosixFileMapping().open(path.string())->view(), "Sub A()\r\n");
    }
    sigaction(SIGBUS, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

} // namespace
} // namespace quorbel::cli
