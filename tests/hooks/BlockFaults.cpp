#include "tests/hooks/BlockFaults.h"

#include "tests/hooks/FaultCountdown.h"
#include <zodavudaz/platform/BlockAllocator.h>

namespace {
FaultCountdown Countdown;
std::size_t SizeLimit = 0; // 0: none

bool Refuses(std::size_t size) noexcept { return Countdown.Strikes() || (SizeLimit != 0 && size > SizeLimit); }
} // namespace

void ArmBlockFault(int callNumber, bool persistent) noexcept {
  Countdown.Arm(callNumber, persistent);
  SetBlockRefusal(&Refuses);
}

void DisarmBlockFault() noexcept { Countdown.Disarm(); }

int GetBlockFaultCount() noexcept { return Countdown.GetFired(); }

void LimitBlockSize(std::size_t maxSize) noexcept {
  SizeLimit = maxSize;
  SetBlockRefusal(&Refuses);
}
