#include "platform/hugepages.h"

#include <cstdint>

#if defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace quorbel {

void adviseHugePages(const void *data, std::size_t size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kHuge = std::size_t{2} << 20;
    if (size < 2 * kHuge)
        return;
    // Only whole huge pages inside the buffer: the advice covers a range
    // of the mapping, and memory outside the buffer is not ours to advise.
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t last = (begin + size) & ~(kHuge - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE); // advice only: errors ignored
#else
    (void)data;
    (void)size;
#endif
}

void preferHugePagesForHeap(std::size_t pad)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE) && defined(M_TOP_PAD) && defined(M_ARENA_MAX) &&                      \
    !defined(__SANITIZE_ADDRESS__)
    constexpr std::size_t kHuge = std::size_t{2} << 20;
    // One heap for every thread: the heaps of other threads would not be
    // advised. Blocks up to the probe's size come from the heap.
    if (mallopt(M_ARENA_MAX, 1) == 0 || mallopt(M_TOP_PAD, static_cast<int>(pad)) == 0 ||
        mallopt(M_MMAP_THRESHOLD, static_cast<int>(pad)) == 0)
        return;
    // A block larger than any free one comes from the heap's top, which
    // grows by it and the pad; freed, it goes back to the top. Allocating it
    // wrote the heap's bookkeeping at both of its ends.
    constexpr std::size_t kProbe = std::size_t{1} << 20;
    void *const probe = std::malloc(kProbe);
    if (probe == nullptr)
        return;
    const auto at = reinterpret_cast<std::uintptr_t>(probe);
    std::free(probe);
    const void *const end = ::sbrk(0);
    const auto top = reinterpret_cast<std::uintptr_t>(end);
    if (end == reinterpret_cast<void *>(-1) || at + kProbe > top)
        return; // not the heap's memory
    // A 2 MB page is only given to a whole aligned 2 MB that nothing has
    // written yet: what the heap gives out next starts at the first such
    // boundary after the probe's end, behind a block that is never written
    // nor freed (the memory before the boundary stays unused).
    constexpr std::size_t kHeader = 2 * sizeof(std::size_t);
    const std::uintptr_t aligned = (at + kProbe + 4 * kHeader + kHuge - 1) & ~(kHuge - 1);
    if (aligned >= top)
        return;
    // Kept for the life of the program; volatile, or the compiler drops an
    // allocation that nothing reads.
    static void *volatile spacer = nullptr;
    spacer = std::malloc(aligned - at - kHeader);
    (void)spacer;
    adviseHugePages(reinterpret_cast<const void *>(aligned), top - aligned);
#else
    (void)pad;
#endif
}

} // namespace quorbel
