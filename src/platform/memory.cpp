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
    // their own, and up to 256 MB of free heap stays with the process. Both
    // settings or neither: a trim threshold alone also stops glibc from
    // raising its mapping threshold as large blocks come and go, which is
    // slower than leaving the allocator as it is. Where the C library
    // refuses so high a mapping threshold (some glibc versions cap it), the
    // allocator keeps its own behaviour.
    if (mallopt(M_MMAP_THRESHOLD, 1 << 30) != 1)
        return;
    if (mallopt(M_TRIM_THRESHOLD, 256 << 20) != 1)
        mallopt(M_MMAP_THRESHOLD, 128 << 10); // glibc's own starting value
#endif
}

} // namespace kv
