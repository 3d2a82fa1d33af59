#include <zodavudaz/platform/BlockAllocator.h>

#include <new>

namespace {
struct FaultPlan {
  int CallsLeft = 0; // 0: disarmed
  bool Persistent = false;
  int Fired = 0;
};
FaultPlan Plan;
std::size_t SizeLimit = 0; // 0: none

bool ShouldFail() noexcept {
  if (Plan.CallsLeft == 0)
    return false;
  if (Plan.CallsLeft > 1) {
    --Plan.CallsLeft;
    return false;
  }
  if (!Plan.Persistent)
    Plan.CallsLeft = 0;
  ++Plan.Fired;
  return true;
}
} // namespace

void* NewBlock(std::size_t size) noexcept {
  if (size > MaxBlockBytes || ShouldFail() || (SizeLimit != 0 && size > SizeLimit))
    return nullptr;
  return ::operator new(size == 0 ? 1 : size, std::nothrow);
}

void ArmBlockFault(int callNumber, bool persistent) noexcept {
  Plan = FaultPlan{callNumber < 1 ? 1 : callNumber, persistent, 0};
}

void DisarmBlockFault() noexcept { Plan.CallsLeft = 0; }

int GetBlockFaultCount() noexcept { return Plan.Fired; }

void LimitBlockSize(std::size_t maxSize) noexcept { SizeLimit = maxSize; }
