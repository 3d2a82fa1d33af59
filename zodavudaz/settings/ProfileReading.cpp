#include <zodavudaz/settings/ProfileReading.h>

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/JournalRecovery.h>
#include <zodavudaz/settings/ProfileLock.h>

ProfileCause LoadProfileBytes(LPCTSTR fileName, CString& bytes) noexcept {
  bytes.Empty();
  ProfileLock lock(fileName);
  CFile file;
  CFileException error;
  if (!file.Open(fileName, CFile::modeRead, &error))
    return error.Cause == FileCause::FileNotFound ? ProfileCause::MissingFile : ProfileCause::FileSystemFailure;
  if (!lock.LockForReading(file))
    return ProfileCause::Busy;
  // What a writer killed during an in-place write left is put back before anything is read.
  // A stale journal is left alone: the file is read as it stands, and the call says so.
  const ProfileCause journal = JournalRecovery::RollBackBeforeReading(file, fileName, lock);
  if (journal != ProfileCause::None && journal != ProfileCause::StaleJournal)
    return journal;
  return ProfileImage::ReadWhole(file, bytes) ? journal : ProfileCause::FileSystemFailure;
}
