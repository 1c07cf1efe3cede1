#include "platform/memory.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kv {

void keepLargeBlocksForReuse()
{
#if defined(__GLIBC__)
    // Blocks of any size come from the heap rather than from mappings of
    // their own, and up to 256 MB of free heap stays with the process.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

} // namespace kv
