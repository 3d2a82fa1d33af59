// Heap bytes in use, for tests that check an operation leaves nothing behind.
#ifndef ZODAVUDAZ_TESTS_SUPPORT_HEAPUSE_H
#define ZODAVUDAZ_TESTS_SUPPORT_HEAPUSE_H

#include <malloc.h>

#include <cstddef>

/// Bytes the C allocator has handed out and not yet taken back; 0 under a sanitizer, which keeps
/// its own heap (and its own leak check where the platform allows one).
inline std::size_t HeapBytesInUse() { return mallinfo2().uordblks; }

#endif
