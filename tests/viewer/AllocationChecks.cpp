#include "tests/viewer/AllocationChecks.h"

#include "tests/hooks/BlockFaults.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
int Live = 0;

void* CountedAllocate(std::size_t size) noexcept {
  void* block = std::malloc(size == 0 ? 1 : size);
  Live += block != nullptr;
  return block;
}

void CountedFree(void* block) noexcept {
  Live -= block != nullptr;
  std::free(block);
}
} // namespace

int LiveBlocks() { return Live; }

void ForEachBlockFault(const std::function<void()>& attempt) {
  for (int call = 1;; ++call) {
    SCOPED_TRACE(call);
    const int before = LiveBlocks();
    ArmBlockFault(call, false);
    attempt();
    const bool faulted = GetBlockFaultCount() > 0;
    DisarmBlockFault();
    EXPECT_EQ(LiveBlocks(), before);
    if (!faulted)
      return;
  }
}

void* operator new(std::size_t size) {
  void* block = CountedAllocate(size);
  return block != nullptr ? block : throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete(void* block, std::size_t) noexcept { CountedFree(block); }
