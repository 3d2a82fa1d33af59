// The one hook through which the library allocates blocks that it hands to callers.
#ifndef ZODAVUDAZ_PLATFORM_BLOCKALLOCATOR_H
#define ZODAVUDAZ_PLATFORM_BLOCKALLOCATOR_H

#include <cstddef>

/// The largest block a 32-bit process can get; both builds refuse larger ones, so that a size read
/// from a file, a text or a packet is accepted alike.
constexpr std::size_t MaxBlockBytes = 0x7FFFFFFF;

/// A block of size bytes from the global allocator, or null when none is available or size exceeds
/// MaxBlockBytes; the receiver releases it with ::operator delete. Never throws.
void* NewBlock(std::size_t size) noexcept;

/// Whether NewBlock is to refuse a block of size bytes; the test build installs one.
using BlockRefusal = bool (*)(std::size_t size) noexcept;
/// Makes refusal the check that NewBlock asks first; null refuses nothing.
void SetBlockRefusal(BlockRefusal refusal) noexcept;

#endif
