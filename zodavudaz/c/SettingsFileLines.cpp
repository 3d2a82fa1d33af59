// A settings file read line by line through the C interface.
#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/HandleTable.h>
#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <memory>

namespace {
/// An open file and the length ReadStringEx reads with: the whole file's, so that a line fits.
struct OpenSettingsFile {
  CFile File;
  UINT Length = 0;
};

HandleTable<OpenSettingsFile>& OpenFiles() noexcept {
  static HandleTable<OpenSettingsFile> files;
  return files;
}
} // namespace

int32_t zdz_settings_file_open(const char* file, zdz_settings_file** handle) {
  if (file == nullptr || handle == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    auto opened = std::make_unique<OpenSettingsFile>();
    CFileException error;
    if (!opened->File.Open(file, CFile::modeRead, &error))
      return error.Cause == FileCause::FileNotFound ? ZDZ_E_NOT_FOUND : ZDZ_E_FILE_SYSTEM;
    const DWORD length = opened->File.GetLength();
    if (length == CFile::Failed)
      return ZDZ_E_FILE_SYSTEM;
    opened->Length = length;
    *handle = OpenFiles().Add<zdz_settings_file>(opened);
    return ZDZ_OK;
  });
}

int32_t zdz_read_string_ex(zdz_settings_file* handle, char* line, uint32_t capacity, uint32_t* size) {
  if (handle == nullptr || IsBadBuffer(line, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    OpenSettingsFile* open = OpenFiles().Find(handle);
    if (open == nullptr)
      return ZDZ_E_HANDLE;
    CString read;
    ReadStringEx(&open->File, open->Length, read);
    const int32_t status = PutText(read, line, capacity, size);
    // A line that does not fit, or was only measured, is read again by the next call.
    if (status != ZDZ_OK || line == nullptr)
      open->File.Seek(-read.GetLength(), CFile::current);
    return status;
  });
}

int32_t zdz_settings_file_close(zdz_settings_file* handle) {
  if (handle == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    std::unique_ptr<OpenSettingsFile> open(OpenFiles().Take(handle));
    return open == nullptr ? ZDZ_E_HANDLE : ZDZ_OK;
  });
}
