#include <zodavudaz/platform/BlockAllocator.h>

#include <new>

namespace {
BlockRefusal Refusal = nullptr;
}

void* NewBlock(std::size_t size) noexcept {
  if (size > MaxBlockBytes || (Refusal != nullptr && Refusal(size)))
    return nullptr;
  return ::operator new(size == 0 ? 1 : size, std::nothrow);
}

void SetBlockRefusal(BlockRefusal refusal) noexcept { Refusal = refusal; }
