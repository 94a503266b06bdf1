#pragma once

#include <cstddef>

namespace quorbel {

// Asks the system to back [data, data + size) with huge pages when it is
// large (several megabytes) and the system offers them on request (Linux's
// transparent huge pages in "madvise" mode); otherwise does nothing. Call it
// on a freshly reserved buffer before writing to it: a conversion writes
// each of its big buffers once, and with 4 KB pages every page touched
// costs a page fault, which in a virtual machine costs more than the
// conversion itself. Never fails.
void adviseHugePages(const void *data, std::size_t size);

// For a short-lived program that works on big buffers (the command line):
// grows the heap by pad bytes at once, advises that part for huge pages and
// lets every thread allocate from it, so that the many strings and lists of
// a conversion land in memory that costs one fault per 2 MB instead of one
// per 4 KB. Memory is still only used where it is written. Call it first
// thing in main, before any thread is started. Does nothing where the
// system or the allocator offers no such thing; never fails.
void preferHugePagesForHeap(std::size_t pad);

} // namespace quorbel
