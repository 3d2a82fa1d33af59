// What a caller does with the rollback journal that a writer killed during an in-place write left.
#ifndef ZODAVUDAZ_SETTINGS_JOURNALRECOVERY_H
#define ZODAVUDAZ_SETTINGS_JOURNALRECOVERY_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileLock.h>

/// The mark on a settings file (JournalMarkName) leads to its journal. A journal is applied only
/// where it lies in the folder of a name of this very file, under a name that a writer makes for
/// that name (JournalNameFor), reached through no symbolic link; where it is a regular file owned
/// by the caller, by the file's owner or by the privileged user, and no wider in its permissions
/// than the file; where its header gives its length and this very file (device and inode) at a
/// length that the write could have left, its bytes are whole, and every byte it covers still holds
/// the old byte or the one the write meant to put there. Any other is stale: never applied, the
/// file read as it stands, and mark and journal removed by the next successful write.
namespace JournalRecovery {
/// What a writer found.
enum class Finding {
  /// No mark, or a journal applied.
  Clean,
  /// A mark whose journal cannot be applied.
  Stale,
  /// Applying failed, or the mark cannot be read.
  Failed,
};

/// Under the writer's lock, file open for reading and writing: where a journal can be applied,
/// puts the old bytes back and removes mark and journal. Stale gives in staleJournal the
/// journal's path where it is one that a writer made for the file (ForgetStale removes it),
/// empty otherwise.
Finding RollBack(CFile& file, CString& staleJournal) noexcept;
/// After a successful write that found Stale: removes the mark from file, where it still bears
/// one, and staleJournal where it is not empty.
void ForgetStale(CFile& file, const CString& staleJournal) noexcept;
/// Under the readers' lock, file open for reading on fileName: where a journal can be applied,
/// lets go of the file, applies it under the writer's lock and holds the readers' lock on
/// fileName again; None then, or where there is nothing to apply; StaleJournal, with file open,
/// where a mark's journal cannot be applied. With file closed: Busy where the caller cannot write
/// the file or the lock's wait ends first (as for a time-out), FileSystemFailure where the mark
/// cannot be read.
ProfileCause RollBackBeforeReading(CFile& file, LPCTSTR fileName, ProfileLock& lock) noexcept;
} // namespace JournalRecovery

#endif
