#include <zodavudaz/platform/CFile.h>

#include <zodavudaz/platform/FileAccess.h>

#include <type_traits>

static_assert(std::is_same_v<FileAccess::Handle, int> && FileAccess::NoHandle == -1,
              "CFile holds the file calls' handles as they are");

namespace {
void Report(CFileException* error, FileCause cause) noexcept {
  if (error != nullptr)
    error->Cause = cause;
}
} // namespace

CFile::~CFile() { Close(); }

int HandleOf(const CFile& file) noexcept { return file.Handle; }

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) noexcept {
  if (IsOpen() || fileName == nullptr) {
    Report(error, FileCause::Generic);
    return FALSE;
  }
  FileCause cause = FileCause::None;
  Handle = GetFileAccess().Open(ToHostPath(fileName), openFlags, cause);
  Report(error, cause);
  AtStart = IsOpen();
  return IsOpen();
}

UINT CFile::Read(void* buffer, UINT count) noexcept {
  if (!IsOpen())
    return Failed;
  AtStart = false;
  const UINT taken = Ahead.Take(buffer, count);
  char* rest = static_cast<char*>(buffer) + taken;
  if (taken == count)
    return taken;
  char* block = count - taken < ReadAhead::BlockSize ? Ahead.GetBlock() : nullptr;
  if (block != nullptr)
    return FillReadAhead(block) ? taken + Ahead.Take(rest, count - taken) : Failed;
  // Everything held was taken, so the host file stands at the reader's position.
  Ahead.Clear();
  const long read = GetFileAccess().Read(Handle, rest, count - taken);
  return read < 0 ? Failed : taken + static_cast<UINT>(read);
}

BOOL CFile::FillReadAhead(char* block) noexcept {
  const LONG start = Ahead.IsHeld() ? Ahead.GetPosition() : static_cast<LONG>(GetFileAccess().Seek(Handle, 0, current));
  if (start < 0)
    return FALSE;
  const long read = GetFileAccess().Read(Handle, block, ReadAhead::BlockSize);
  if (read < 0) {
    Ahead.Clear();
    return FALSE;
  }
  Ahead.Hold(start, static_cast<UINT>(read));
  return TRUE;
}

void CFile::DropReadAhead() noexcept {
  if (Ahead.IsHeld() && Ahead.GetUnused() > 0)
    GetFileAccess().Seek(Handle, Ahead.GetPosition(), begin);
  Ahead.Clear();
}

BOOL CFile::Write(const void* buffer, UINT count, CFileException* error) noexcept {
  if (!IsOpen()) {
    Report(error, FileCause::Generic);
    return FALSE;
  }
  DropReadAhead();
  AtStart = false;
  FileCause cause = FileCause::None;
  const long written = GetFileAccess().Write(Handle, buffer, count, cause);
  Report(error, cause);
  return written >= 0 && static_cast<UINT>(written) == count;
}

LONG CFile::Seek(LONG offset, UINT from) noexcept {
  if (!IsOpen())
    return -1;
  if (AtStart && offset == 0 && from != end)
    return 0;
  if (from == current && Ahead.Move(offset))
    return Ahead.GetPosition();
  DropReadAhead();
  // The file access keeps positions within the LONG range.
  const LONG position = static_cast<LONG>(GetFileAccess().Seek(Handle, offset, from));
  AtStart = position == 0;
  return position;
}

DWORD CFile::GetLength() const noexcept {
  const long length = IsOpen() ? GetFileAccess().GetLength(Handle) : -1;
  return length < 0 ? Failed : static_cast<DWORD>(length);
}

BOOL CFile::SetLength(DWORD newLength) noexcept {
  DropReadAhead();
  return IsOpen() && GetFileAccess().SetLength(Handle, newLength);
}

BOOL CFile::Flush() noexcept { return IsOpen() && GetFileAccess().Flush(Handle); }

void CFile::Close() noexcept {
  Ahead.Reset();
  if (IsOpen())
    GetFileAccess().Close(Handle);
  Handle = NoHandle;
  AtStart = false;
}

BOOL CFile::IsStillAt(LPCTSTR fileName) const noexcept {
  return IsOpen() && fileName != nullptr && GetFileAccess().IsSameFile(Handle, ToHostPath(fileName));
}

BOOL CFile::LockRange(DWORD position, DWORD count, BOOL exclusive) noexcept {
  return IsOpen() && GetFileAccess().LockRange(Handle, position, count, exclusive != FALSE);
}

BOOL CFile::UnlockRange(DWORD position, DWORD count) noexcept {
  return IsOpen() && GetFileAccess().UnlockRange(Handle, position, count);
}

BOOL CFile::Rename(LPCTSTR oldName, LPCTSTR newName, BOOL replaceExisting) noexcept {
  if (oldName == nullptr || newName == nullptr)
    return FALSE;
  FileCause cause = FileCause::None;
  return GetFileAccess().Rename(ToHostPath(oldName), ToHostPath(newName), replaceExisting != FALSE, cause);
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
