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

} // namespace quorbel
