#include <zodavudaz/settings/ProfileLock.h>

#include <zodavudaz/platform/Ticks.h>

namespace {
// The first retries only yield: a holder usually finishes within a few scheduling rounds.
constexpr int YieldingTries = 16;
static_assert(ProfileLock::DataByte == ProfileLock::GateByte + 1,
              "adjacent, so that a caller that finds the file free takes both in one call");
} // namespace

ProfileLock::ProfileLock(LPCTSTR path) noexcept : Path(path), Start(GetTickCount()) {}

DWORD ProfileLock::TimeLeft() const noexcept {
  const DWORD waited = GetTickCount() - Start;
  return waited < WaitMilliseconds ? WaitMilliseconds - waited : 0;
}

bool ProfileLock::TakeTurn(bool writing) noexcept {
  if (!Served)
    Served = Turn.Enter(Path, writing, TimeLeft()) && Turn.Wait(TimeLeft()) && (!writing || WaitForEarlierWriters());
  return Served;
}

bool ProfileLock::WaitForEarlierWriters() noexcept { return !Ticket.Take(Path) || Ticket.Wait(TimeLeft()); }

bool ProfileLock::Wait(CFile& file, DWORD position, bool exclusive) noexcept {
  for (int tries = 0; !file.LockRange(position, 1, exclusive); ++tries) {
    if (!HasTimeLeft())
      return false;
    Sleep(tries < YieldingTries ? 0 : 1);
  }
  return true;
}

bool ProfileLock::LockForReading(CFile& file) noexcept {
  if (!TakeTurn(false))
    return false;
  // Readers may hold no more than read access, so they share the gate; they hold it only for a
  // moment, so a writer still finds it free. No writer holds the data while we hold the gate.
  if (!file.LockRange(GateByte, 2, FALSE) && !(Wait(file, GateByte, false) && Wait(file, DataByte, false)))
    return false;
  file.UnlockRange(GateByte, 1);
  return true;
}

bool ProfileLock::LockForWriting(CFile& file) noexcept {
  return TakeTurn(true) &&
         (file.LockRange(GateByte, 2, TRUE) || (Wait(file, GateByte, true) && Wait(file, DataByte, true)));
}
