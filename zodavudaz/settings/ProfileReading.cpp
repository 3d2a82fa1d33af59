#include <zodavudaz/settings/ProfileReading.h>

#include <zodavudaz/platform/CFile.h>
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
  return ProfileImage::ReadWhole(file, bytes) ? ProfileCause::None : ProfileCause::FileSystemFailure;
}
