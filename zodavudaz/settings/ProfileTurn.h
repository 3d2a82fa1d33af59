// This process's callers of a settings file, served in the order they came.
#ifndef ZODAVUDAZ_SETTINGS_PROFILETURN_H
#define ZODAVUDAZ_SETTINGS_PROFILETURN_H

#include <zodavudaz/platform/BaseTypes.h>

/// One caller's place in the queue of a settings file's callers in this process. Callers of the
/// same path are served in the order they entered: readers together, a writer alone, and a reader
/// that comes after a waiting writer waits behind it. Only a served caller goes on to compete for
/// the file's locks with other processes, so no thread of the process can overtake another, and
/// a writer waits for at most the callers that came before it.
class ProfileTurn {
public:
  ProfileTurn() noexcept = default;
  ProfileTurn(const ProfileTurn&) = delete;
  ProfileTurn& operator=(const ProfileTurn&) = delete;
  /// Leaves the queue.
  ~ProfileTurn() { Leave(); }

  /// Takes the last place in the queue of path as a reader or a writer; false when the queue
  /// could not be reached within milliseconds. path must stay valid until Leave.
  bool Enter(LPCTSTR path, bool writing, DWORD milliseconds) noexcept;
  /// Waits up to milliseconds (0: not at all) for the turn, which comes when nobody ahead for the
  /// same path is a writer and, for a writer, nobody is ahead at all; false when it did not come,
  /// and outside the queue.
  bool Wait(DWORD milliseconds) noexcept;
  /// Leaves the queue, served or not, so that callers behind may go on; nothing outside it.
  void Leave() noexcept;

private:
  /// Whether the turn has come; the caller holds the queue.
  bool IsServed() const noexcept;
  /// Whether other, ahead of this caller, keeps it waiting.
  bool IsHeldUpBy(const ProfileTurn& other) const noexcept;

  LPCTSTR Path = nullptr;
  bool Writing = false;
  bool Queued = false;
  ProfileTurn* Ahead = nullptr;
  ProfileTurn* Behind = nullptr;
};

#endif
