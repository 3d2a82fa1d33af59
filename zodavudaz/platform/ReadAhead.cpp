#include <zodavudaz/platform/ReadAhead.h>

#include <cstring>
#include <new>

UINT ReadAhead::Take(void* buffer, UINT count) noexcept {
  const UINT taken = count < GetUnused() ? count : GetUnused();
  if (taken > 0)
    std::memcpy(buffer, Block + Used, taken);
  Used += taken;
  return taken;
}

bool ReadAhead::Move(LONG offset) noexcept {
  if (!IsHeld())
    return false;
  const long long moved = static_cast<long long>(Used) + offset;
  if (moved < 0 || moved > static_cast<long long>(Length))
    return false;
  Used = static_cast<UINT>(moved);
  return true;
}

char* ReadAhead::GetBlock() noexcept {
  if (SmallReads < 2)
    ++SmallReads;
  if (Block == nullptr && SmallReads >= 2)
    Block = new (std::nothrow) char[BlockSize];
  return Block;
}

void ReadAhead::Hold(LONG start, UINT length) noexcept {
  Start = start;
  Length = length;
  Used = 0;
}
