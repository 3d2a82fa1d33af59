// The one hook through which the library allocates blocks that it hands to callers.
#ifndef PLATFORM_BLOCKALLOCATOR_H
#define PLATFORM_BLOCKALLOCATOR_H

#include <cstddef>

/// A block of size bytes from the global allocator, or null when none is available; the receiver
/// releases it with ::operator delete. Never throws.
void* NewBlock(std::size_t size) noexcept;

/// Test control of NewBlock: make the callNumber-th call from now fail, once or from then on.
void ArmBlockFault(int callNumber, bool persistent) noexcept;
void DisarmBlockFault() noexcept;
/// How many allocations the armed fault has refused.
int GetBlockFaultCount() noexcept;
/// Test control of NewBlock: refuse blocks larger than maxSize bytes (0: no limit).
void LimitBlockSize(std::size_t maxSize) noexcept;

#endif
