// Replaces the global allocation operators of the test program to count the blocks alive.
#include "tests/sim/LiveAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> Live{0};

void* Allocate(std::size_t size) noexcept {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr)
    ++Live;
  return block;
}

void Release(void* block) noexcept {
  if (block == nullptr)
    return;
  --Live;
  std::free(block);
}
} // namespace

long LiveAllocations() noexcept { return Live; }

void* operator new(std::size_t size) {
  if (void* block = Allocate(size))
    return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
