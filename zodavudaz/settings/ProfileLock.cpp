#include <zodavudaz/settings/ProfileLock.h>

#include <zodavudaz/platform/Ticks.h>

namespace {
// Adjacent, so that a caller that finds the file free takes both in one call.
constexpr DWORD GateByte = 0x7FFFFFFE;
constexpr DWORD DataByte = 0x7FFFFFFF;
// The first retries only yield: a holder usually finishes within a few scheduling rounds.
constexpr int YieldingTries = 16;
} // namespace

ProfileLock::ProfileLock() noexcept : Start(GetTickCount()) {}

bool ProfileLock::HasTimeLeft() const noexcept { return GetTickCount() - Start < WaitMilliseconds; }

bool ProfileLock::Wait(CFile& file, DWORD position, bool exclusive) noexcept {
  for (int tries = 0; !file.LockRange(position, 1, exclusive); ++tries) {
    if (!HasTimeLeft())
      return false;
    Sleep(tries < YieldingTries ? 0 : 1);
  }
  return true;
}

bool ProfileLock::LockForReading(CFile& file) noexcept {
  // Readers may hold no more than read access, so they share the gate; they hold it only for a
  // moment, so a writer still finds it free. No writer holds the data while we hold the gate.
  if (!file.LockRange(GateByte, 2, FALSE) && !(Wait(file, GateByte, false) && Wait(file, DataByte, false)))
    return false;
  file.UnlockRange(GateByte, 1);
  return true;
}

bool ProfileLock::LockForWriting(CFile& file) noexcept {
  return file.LockRange(GateByte, 2, TRUE) || (Wait(file, GateByte, true) && Wait(file, DataByte, true));
}
