#include "platform/hugepages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace quorbel {
namespace {

// The kilobytes of the heap in memory, in all and in huge pages, from
// /proc/self/smaps.
struct HeapMemory {
    long resident = 0;
    long huge = 0;
};

HeapMemory heapMemory()
{
    std::ifstream smaps("/proc/self/smaps");
    HeapMemory memory;
    bool heap = false;
    const auto kilobytes = [](const std::string &line) {
        return std::strtol(line.c_str() + line.find(':') + 1, nullptr, 10);
    };
    for (std::string line; std::getline(smaps, line);) {
        if (line.find('-') < line.find(' ') && line.find(' ') != std::string::npos)
            heap = line.ends_with("[heap]"); // the head line of a mapping
        else if (heap && line.starts_with("Rss:"))
            memory.resident += kilobytes(line);
        else if (heap && line.starts_with("AnonHugePages:"))
            memory.huge += kilobytes(line);
    }
    return memory;
}

bool systemOffersHugePages()
{
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(mode, text);
    return text.find("[madvise]") != std::string::npos || text.find("[always]") != std::string::npos;
}

TEST(HugePages, TheHeapOfAProgramThatAsksForThemIsBackedByThem)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator has a heap of its own";
#endif
    if (!systemOffersHugePages())
        GTEST_SKIP() << "the system gives no huge pages on request";
    // In a child of its own: the advice changes the allocator for the rest
    // of the process.
    EXPECT_EXIT(
        {
            const HeapMemory before = heapMemory();
            preferHugePagesForHeap(std::size_t{32} << 20);
            // Blocks of a conversion's sizes, written in full.
            constexpr std::size_t kBlock = std::size_t{3} << 20;
            const auto a = std::make_unique<char[]>(kBlock);
            const auto b = std::make_unique<char[]>(kBlock);
            std::memset(a.get(), 1, kBlock);
            std::memset(b.get(), 2, kBlock);
            const bool sound = a[kBlock - 1] == 1 && b[0] == 2;
            // All of it in huge pages: the first block too, not only
            // what lies beyond the first 2 MB boundary of the heap.
            const HeapMemory after = heapMemory();
            const long huge = after.huge - before.huge;
            const long small = after.resident - before.resident - huge;
            std::exit(sound && huge >= 6144 && small < 512 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace quorbel
