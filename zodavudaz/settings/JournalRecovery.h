// What a caller does with the rollback journal that a writer killed during an in-place write left.
#ifndef ZODAVUDAZ_SETTINGS_JOURNALRECOVERY_H
#define ZODAVUDAZ_SETTINGS_JOURNALRECOVERY_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileLock.h>

/// The mark on a settings file (JournalMarkName) leads to its journal. A journal is applied only
/// where it is trusted, owned by the caller, by the file's owner or by the privileged user, and
/// no wider in its permissions than the file, and where its bytes are whole and name this very
/// file (device and inode) at a length that the write could have left; any other is ignored,
/// never applied, and the file is read as it stands.
namespace JournalRecovery {
/// Under the writer's lock, file open for reading and writing: where a journal can be applied,
/// puts the old bytes back and removes mark and journal. False where that fails or the mark
/// cannot be read.
bool RollBack(CFile& file) noexcept;
/// Under the readers' lock, file open for reading on fileName: where a journal can be applied,
/// lets go of the file, applies it under the writer's lock and holds the readers' lock on
/// fileName again; None then, or where there is nothing to apply. With file closed: Busy where
/// the caller cannot write the file or the lock's wait ends first (as for a time-out),
/// FileSystemFailure where the mark cannot be read.
ProfileCause RollBackBeforeReading(CFile& file, LPCTSTR fileName, ProfileLock& lock) noexcept;
} // namespace JournalRecovery

#endif
