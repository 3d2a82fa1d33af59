// The locks that let the readers of a settings file share it while a writer has it alone.
#ifndef ZODAVUDAZ_SETTINGS_PROFILELOCK_H
#define ZODAVUDAZ_SETTINGS_PROFILELOCK_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CFile.h>

/// Locks an open settings file for one call, waiting for other callers (threads or processes)
/// up to WaitMilliseconds from the lock's creation. Two byte locks far past any file's end do it:
/// a gate that readers pass together and a writer alone, and the data lock that readers share
/// and a writer holds alone. A writer keeps the gate while it waits for the readers to leave, so
/// a stream of readers cannot keep it out. Closing the file releases both.
class ProfileLock {
public:
  /// How long a call waits for the file before it gives up.
  static constexpr DWORD WaitMilliseconds = 5000;

  ProfileLock() noexcept;

  /// Waits until no writer holds file, then holds it shared with other readers.
  bool LockForReading(CFile& file) noexcept;
  /// Waits until no other caller holds file, then holds it alone.
  bool LockForWriting(CFile& file) noexcept;
  /// Whether the wait has time left.
  bool HasTimeLeft() const noexcept;

private:
  /// Tries lock until it succeeds or the wait is over.
  bool Wait(CFile& file, DWORD position, bool exclusive) noexcept;

  DWORD Start;
};

#endif
