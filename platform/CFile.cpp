#include <zodavudaz/platform/CFile.h>

namespace {
void Report(CFileException* error, FileCause cause) noexcept {
  if (error != nullptr)
    error->Cause = cause;
}
} // namespace

CFile::~CFile() { Close(); }

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) noexcept {
  if (IsOpen() || fileName == nullptr) {
    Report(error, FileCause::Generic);
    return FALSE;
  }
  FileCause cause = FileCause::None;
  Handle = GetFileAccess().Open(ToHostPath(fileName), openFlags, cause);
  Report(error, cause);
  return IsOpen();
}

UINT CFile::Read(void* buffer, UINT count) noexcept {
  if (!IsOpen())
    return Failed;
  const long read = GetFileAccess().Read(Handle, buffer, count);
  return read < 0 ? Failed : static_cast<UINT>(read);
}

BOOL CFile::Write(const void* buffer, UINT count, CFileException* error) noexcept {
  if (!IsOpen()) {
    Report(error, FileCause::Generic);
    return FALSE;
  }
  FileCause cause = FileCause::None;
  const long written = GetFileAccess().Write(Handle, buffer, count, cause);
  Report(error, cause);
  return written >= 0 && static_cast<UINT>(written) == count;
}

LONG CFile::Seek(LONG offset, UINT from) noexcept {
  // The file access keeps positions within the LONG range.
  return IsOpen() ? static_cast<LONG>(GetFileAccess().Seek(Handle, offset, from)) : -1;
}

DWORD CFile::GetLength() const noexcept {
  const long length = IsOpen() ? GetFileAccess().GetLength(Handle) : -1;
  return length < 0 ? Failed : static_cast<DWORD>(length);
}

BOOL CFile::SetLength(DWORD newLength) noexcept { return IsOpen() && GetFileAccess().SetLength(Handle, newLength); }

BOOL CFile::Flush() noexcept { return IsOpen() && GetFileAccess().Flush(Handle); }

void CFile::Close() noexcept {
  if (IsOpen())
    GetFileAccess().Close(Handle);
  Handle = FileAccess::NoHandle;
}

BOOL CFile::IsStillAt(LPCTSTR fileName) const noexcept {
  return IsOpen() && fileName != nullptr && GetFileAccess().IsSameFile(Handle, ToHostPath(fileName));
}

BOOL CFile::CopyPermissionsFrom(const CFile& original) noexcept {
  return IsOpen() && original.IsOpen() && GetFileAccess().CopyPermissions(original.Handle, Handle);
}

BOOL CFile::Rename(LPCTSTR oldName, LPCTSTR newName, BOOL replaceExisting) noexcept {
  if (oldName == nullptr || newName == nullptr)
    return FALSE;
  return GetFileAccess().Rename(ToHostPath(oldName), ToHostPath(newName), replaceExisting != FALSE);
}

BOOL CFile::Remove(LPCTSTR fileName) noexcept {
  return fileName != nullptr && GetFileAccess().Remove(ToHostPath(fileName));
}

CString CFile::ResolveLinks(LPCTSTR fileName) noexcept {
  return fileName == nullptr ? CString() : GetFileAccess().ResolveLinks(ToHostPath(fileName));
}

CString CFile::ToHostPath(LPCTSTR fileName) noexcept {
  CString path(fileName);
  for (int index = path.Find('\\'); index >= 0; index = path.Find('\\', index + 1))
    path.SetAt(index, '/');
  return path;
}
