// The locks that let the readers of a settings file share it while a writer has it alone.
#ifndef ZODAVUDAZ_SETTINGS_PROFILELOCK_H
#define ZODAVUDAZ_SETTINGS_PROFILELOCK_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileTicket.h>
#include <zodavudaz/settings/ProfileTurn.h>

/// Locks an open settings file for one call, waiting for other callers up to WaitMilliseconds
/// from the lock's creation. The threads of this process queue for the file first (ProfileTurn),
/// so that they are served in the order they came; a writer served then takes its place among the
/// writers of every process (ProfileTicket) and waits for those before it. The caller served then
/// waits for other processes' callers through two byte locks far past any file's end: a gate that
/// readers pass together and a writer alone, and the data lock that readers share and a writer
/// holds alone. A writer keeps the gate while it waits for the readers to leave, so a stream of
/// readers cannot keep it out. Closing the file releases both byte locks; the lock's end releases
/// the turn and the place.
class ProfileLock {
public:
  /// How long a call waits for the file before it gives up.
  static constexpr DWORD WaitMilliseconds = 5000;
  /// Where the byte locks lie, the same in every process that uses the library.
  static constexpr DWORD GateByte = 0x7FFFFFFE;
  static constexpr DWORD DataByte = 0x7FFFFFFF;

  /// A lock for callers that name the file path; path must outlive the lock.
  explicit ProfileLock(LPCTSTR path) noexcept;

  /// Waits until no writer holds file, then holds it shared with other readers.
  bool LockForReading(CFile& file) noexcept;
  /// Waits until no other caller holds file, then holds it alone. A writer that must open the
  /// file again (another process replaced it) calls it again and keeps its turn.
  bool LockForWriting(CFile& file) noexcept;
  /// Whether the wait has time left.
  bool HasTimeLeft() const noexcept { return TimeLeft() > 0; }

private:
  DWORD TimeLeft() const noexcept;
  /// Waits for this process's earlier callers of the path and, for a writer, for the earlier
  /// writers of every process; once per lock.
  bool TakeTurn(bool writing) noexcept;
  /// Waits for the writers of every process that came before this one; where no place can be
  /// taken, the writer goes on without one.
  bool WaitForEarlierWriters() noexcept;
  /// Tries the byte lock until it succeeds or the wait is over.
  bool Wait(CFile& file, DWORD position, bool exclusive) noexcept;

  LPCTSTR Path;
  DWORD Start;
  ProfileTurn Turn;
  ProfileTicket Ticket;
  bool Served = false;
};

#endif
