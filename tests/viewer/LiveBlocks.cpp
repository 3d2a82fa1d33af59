#include "tests/viewer/LiveBlocks.h"

#include <cstdlib>
#include <new>

namespace {
int Live = 0;

void* CountedAllocate(std::size_t size) noexcept {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr)
    ++Live;
  return block;
}

void CountedFree(void* block) noexcept {
  if (block != nullptr)
    --Live;
  std::free(block);
}
} // namespace

int LiveBlocks() { return Live; }

void* operator new(std::size_t size) {
  if (void* block = CountedAllocate(size))
    return block;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete(void* block, std::size_t) noexcept { CountedFree(block); }
