// The operating system's file calls as CFile makes them: the one seam that tests replace.
#ifndef PLATFORM_FILEACCESS_H
#define PLATFORM_FILEACCESS_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>

/// Why a file call failed, in the framework's terms.
enum class FileCause { None, Generic, FileNotFound, AccessDenied, SharingViolation, DiskFull };

/// File calls on host paths ("/" separators) and numeric handles. No call throws; failures give
/// -1 (or false) and, where the caller asks for it, a cause.
class FileAccess {
public:
  using Handle = int;
  static constexpr Handle NoHandle = -1;

  virtual ~FileAccess() = default;
  /// Opens path with CFile's open flags; NoHandle and cause when it cannot.
  virtual Handle Open(LPCTSTR path, UINT openFlags, FileCause& cause) noexcept = 0;
  /// Bytes read (fewer only at the end of the file), or -1.
  virtual long Read(Handle file, void* buffer, UINT count) noexcept = 0;
  /// Bytes written, fewer (or -1) with cause when the write stopped short.
  virtual long Write(Handle file, const void* buffer, UINT count, FileCause& cause) noexcept = 0;
  /// The new position, or -1.
  virtual long Seek(Handle file, long offset, UINT from) noexcept = 0;
  /// The file's length, or -1.
  virtual long GetLength(Handle file) noexcept = 0;
  virtual bool SetLength(Handle file, DWORD length) noexcept = 0;
  /// Makes the written bytes durable.
  virtual bool Flush(Handle file) noexcept = 0;
  virtual void Close(Handle file) noexcept = 0;
  /// Whether path names the very file that file is open on.
  virtual bool IsSameFile(Handle file, LPCTSTR path) noexcept = 0;
  /// Gives target the permission bits of source.
  virtual bool CopyPermissions(Handle source, Handle target) noexcept = 0;
  /// Moves oldPath to newPath; without replaceExisting it fails where newPath exists.
  virtual bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting) noexcept = 0;
  virtual bool Remove(LPCTSTR path) noexcept = 0;
  /// The file that path finally names once symbolic links are followed; path itself when it
  /// names nothing.
  virtual CString ResolveLinks(LPCTSTR path) noexcept = 0;
};

/// The file calls in use: the host's, unless a test installed others.
FileAccess& GetFileAccess() noexcept;
/// The host's own file calls.
FileAccess& GetHostFileAccess() noexcept;
/// Makes access the file calls in use; null restores the host's. The caller keeps access alive.
void SetFileAccess(FileAccess* access) noexcept;

#endif
