// The operating system's file calls as CFile makes them: the one seam that tests replace.
#ifndef ZODAVUDAZ_PLATFORM_FILEACCESS_H
#define ZODAVUDAZ_PLATFORM_FILEACCESS_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/FileCause.h>

/// File calls on host paths ("/" separators) and numeric handles. No call throws; failures give
/// -1 (or false) and, where the caller asks for it, a cause.
class FileAccess {
public:
  using Handle = int;
  static constexpr Handle NoHandle = -1;

  virtual ~FileAccess() = default;
  /// Opens path with CFile's open flags; NoHandle and cause when it cannot. Only regular files
  /// open, and opening never waits for a device or pipe: anything else is refused at once.
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
  /// Takes a lock of count bytes from position, shared or exclusive, if no other open of the file
  /// (in this process or another) holds a conflicting one; never waits. Closing releases it.
  /// Where the file system keeps no locks, it succeeds without one.
  virtual bool LockRange(Handle file, DWORD position, DWORD count, bool exclusive) noexcept = 0;
  virtual bool UnlockRange(Handle file, DWORD position, DWORD count) noexcept = 0;
  /// How many names the file has, or -1.
  virtual int GetLinkCount(Handle file) noexcept = 0;
  /// Whether path names the very file that file is open on.
  virtual bool IsSameFile(Handle file, LPCTSTR path) noexcept = 0;
  /// Gives target the owner, group and permission bits of source; false where the caller may not.
  virtual bool CopyOwnership(Handle source, Handle target) noexcept = 0;
  /// Moves oldPath to newPath; without replaceExisting it fails where newPath exists.
  virtual bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting) noexcept = 0;
  virtual bool Remove(LPCTSTR path) noexcept = 0;
  /// Removes every file of the folder whose path begins with pathPrefix.
  virtual void RemoveStartingWith(LPCTSTR pathPrefix) noexcept = 0;
  /// The path that path finally names once symbolic links are followed, also where the last
  /// link names nothing yet; path itself when it names nothing.
  virtual CString ResolveLinks(LPCTSTR path) noexcept = 0;
};

/// The file calls in use: the host's, unless a test installed others.
FileAccess& GetFileAccess() noexcept;
/// The host's own file calls.
FileAccess& GetHostFileAccess() noexcept;
/// Makes access the file calls in use; null restores the host's. The caller keeps access alive.
void SetFileAccess(FileAccess* access) noexcept;

#endif
