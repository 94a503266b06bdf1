#include "platform/hugepages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
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

} // namespace quorbel
