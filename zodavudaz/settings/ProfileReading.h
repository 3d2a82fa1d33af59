// A settings file read whole under the readers' lock: one version of it, never a write half done.
#ifndef ZODAVUDAZ_SETTINGS_PROFILEREADING_H
#define ZODAVUDAZ_SETTINGS_PROFILEREADING_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileImage.h>

/// Opens fileName for reading, waits until no writer holds it and reads it whole into bytes:
/// None (StaleJournal where a journal found was not applied), or why not (MissingFile, Busy,
/// FileSystemFailure) with bytes empty.
ProfileCause LoadProfileBytes(LPCTSTR fileName, CString& bytes) noexcept;

/// LoadProfileBytes into image.
inline ProfileCause LoadProfileImage(LPCTSTR fileName, ProfileImage& image) noexcept {
  return LoadProfileBytes(fileName, image.GetBytes());
}

#endif
