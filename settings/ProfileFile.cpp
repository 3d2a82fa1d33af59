#include <zodavudaz/settings/ProfileFile.h>

#include <zodavudaz/settings/ProfileImage.h>
#include <zodavudaz/settings/ProfileWriter.h>

#include <cstring>

void ReadStringEx(CFile* file, UINT bufferSize, CString& line) noexcept {
  line.Empty();
  if (file == nullptr)
    return;
  const LONG position = file->Seek(0, CFile::current);
  const DWORD length = file->GetLength();
  if (position < 0 || length == CFile::Failed || static_cast<DWORD>(position) >= length)
    return;
  // Only the rest of the file can be read, however large a buffer the caller names.
  const DWORD rest = length - static_cast<DWORD>(position);
  const UINT wanted = bufferSize < rest ? bufferSize : rest;
  if (wanted == 0 || wanted > 0x7FFFFFF0u)
    return;
  char* scratch = line.GetBuffer(static_cast<int>(wanted));
  const UINT read = scratch != nullptr ? file->Read(scratch, wanted) : CFile::Failed;
  if (read == CFile::Failed || read == 0) {
    line.ReleaseBuffer(0);
    return;
  }
  const void* lineFeed = std::memchr(scratch, '\n', read);
  const UINT lineLength =
      lineFeed == nullptr ? read : static_cast<UINT>(static_cast<const char*>(lineFeed) - scratch) + 1;
  line.ReleaseBuffer(static_cast<int>(lineLength));
  file->Seek(static_cast<LONG>(lineLength) - static_cast<LONG>(read), CFile::current);
}

int GetProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, CString& value) noexcept {
  value.Empty();
  if (fileName == nullptr || section == nullptr || key == nullptr)
    return 0;
  ProfileImage image;
  return image.Load(fileName) && image.GetString(section, key, value) ? 1 : 0;
}

int WriteProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept {
  if (fileName == nullptr || section == nullptr || key == nullptr || value == nullptr)
    return 0;
  return ProfileWriter(fileName, section, key, value).Write() ? 1 : 0;
}
