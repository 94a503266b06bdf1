#include "platform/posix/posixfilemapping.h"
#include "tests/support/scratchfiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

TEST(PosixFileMapping, MapsFilesAndReadsEverythingElse)
{
    const fs::path folder = testing::scratchFolder("filemapping", "kinds");
    const PosixFileMapping mapping;
    testing::writeBytes(folder / "a.bas", "Sub A()\r\n");
    EXPECT_EQ(mapping.open((folder / "a.bas").string())->view(), "Sub A()\r\n");
    testing::writeBytes(folder / "empty.bas", "");
    EXPECT_EQ(mapping.open((folder / "empty.bas").string())->view(), "");
    EXPECT_EQ(mapping.open("/dev/null")->view(), "");

    // A named pipe gives exactly what was written into it, read once.
    const fs::path fifo = folder / "pipe.bas";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { testing::writeBytes(fifo, "Dim a\r\n"); });
    const auto piped = mapping.open(fifo.string());
    writer.join();
    EXPECT_EQ(piped->view(), "Dim a\r\n");

    // The bytes stay as they were when the file is removed meanwhile.
    testing::writeBytes(folder / "gone.bas", std::string(100000, 'x'));
    const auto kept = mapping.open((folder / "gone.bas").string());
    fs::remove(folder / "gone.bas");
    EXPECT_EQ(kept->view(), std::string(100000, 'x'));

    // A file of several megabytes (read into memory of its own, not
    // mapped): every byte, the last ones of a partly filled huge page
    // included, and none after them; kept after removal too.
    std::string large(5 * 1024 * 1024 + 4097, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>('a' + i % 23);
    testing::writeBytes(folder / "large.bas", large);
    const auto read = mapping.open((folder / "large.bas").string());
    fs::remove(folder / "large.bas");
    EXPECT_TRUE(read->view() == large);

    try {
        mapping.open((folder / "missing.bas").string());
        ADD_FAILURE() << "a missing file opened";
    } catch (const FileError &error) {
        EXPECT_EQ(error.description(), "No such file or directory");
        EXPECT_EQ(std::string(error.what()), (folder / "missing.bas").string() + ": No such file or directory");
    }
    EXPECT_THROW(mapping.open(folder.string()), FileError);
}

} // namespace
} // namespace quorbel
