// Why the calling thread's last settings call gave 0.
#ifndef ZODAVUDAZ_SETTINGS_PROFILECAUSE_H
#define ZODAVUDAZ_SETTINGS_PROFILECAUSE_H

#include <zodavudaz/platform/Export.h>

/// Why a settings call gave 0; the last two are notices of a call that gave 1.
enum class ProfileCause : int {
  /// The last call gave 1.
  None = 0,
  /// The file, or a folder on its path, does not exist (a write creates a missing file).
  MissingFile = 1,
  /// The file has no section of that name; also for a station the database lacks, which names none.
  MissingSection = 2,
  /// The section has no key line of that name.
  MissingKey = 3,
  /// Other callers held the file for the whole wait of 5 seconds.
  Busy = 4,
  /// A null name, or one the format cannot hold (see WriteProfileStringEx).
  RefusedName = 5,
  /// The file could not be opened, read or written for another reason: no permission, not a
  /// regular file, a full disk, no memory.
  FileSystemFailure = 6,
  /// The call gave 1, but a rollback journal that a writer killed during an in-place write left was
  /// not applied: the bytes it covers changed since (a user's edit), it is of an earlier format,
  /// or it cannot be trusted. The file was read or written as it stands; the next successful write
  /// removes the journal and its mark.
  StaleJournal = 7,
  /// The write gave 1, but went in place without a rollback journal, as the folder takes no new
  /// file or the file system keeps no user attributes: a crash during it could have torn the file.
  UnprotectedWrite = 8,
};

/// Why the calling thread's last settings call gave 0: GetProfileStringEx, WriteProfileStringEx,
/// ReadProfileFile, the placement and back-up calls, which read and write through them, and
/// CGUIDatabase::UpdateDataBaseEx, whose file was read whole (None) or not (and defaults taken). None
/// (or a notice, StaleJournal or UnprotectedWrite) after a call that gave 1, and None before the
/// thread's first settings call. Each thread has its own,
/// so that another thread's calls never change it. Two calls give 0 with None, because the file
/// was read whole but what it holds is not usable: a placement reader whose "WindowPos" text is not
/// ten numbers, and a module back-up reader whose stored "Product" does not name the module (or
/// whose "ModuleInf" is empty). GetStationBackupInf always gives 1; its cause still says whether
/// the "Database" text was read.
ZODAVUDAZ_EXPORT ProfileCause GetLastProfileCause() noexcept;

#endif
