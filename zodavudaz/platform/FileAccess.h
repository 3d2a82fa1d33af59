// The operating system's file calls as CFile makes them: the one seam that tests replace.
#ifndef ZODAVUDAZ_PLATFORM_FILEACCESS_H
#define ZODAVUDAZ_PLATFORM_FILEACCESS_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/FileCause.h>

/// What the host tells of an open file.
struct FileStatus {
  unsigned long long Device = 0;
  unsigned long long Inode = 0;
  unsigned Owner = 0;
  unsigned Group = 0;
  /// The permission bits with the set-id and sticky bits.
  unsigned Mode = 0;
  unsigned LinkCount = 0;
  long long Size = 0;
};

/// File calls on host paths ("/" separators) and numeric handles. No call throws; failures give
/// -1 (or false) and, where the caller asks for it, a cause.
class FileAccess {
public:
  using Handle = int;
  static constexpr Handle NoHandle = -1;
  /// Open flag beside CFile's: a file that the open creates is readable and writable by its
  /// creator alone, whatever the process's file-creation mask.
  static constexpr UINT CreatePrivate = 0x10000;
  /// Open flag beside CFile's: a symbolic link in the path's last place is refused, not followed.
  static constexpr UINT NoFinalLink = 0x20000;

  virtual ~FileAccess() = default;
  /// Opens path with CFile's open flags and the two above; NoHandle and cause when it cannot. Only
  /// regular files open, and opening never waits for a device or pipe: anything else is refused
  /// at once.
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
  /// Opens the folder path for its locks alone (ShareFolderRange, IsFolderRangeLocked); NoHandle
  /// where it cannot, such as a folder the caller may not read. Close releases it.
  virtual Handle OpenFolder(LPCTSTR path) noexcept = 0;
  /// Takes a shared lock of count bytes from position of an open folder; never waits. Its
  /// positions reach far past those of a file's locks.
  virtual bool ShareFolderRange(Handle folder, unsigned long long position, unsigned long long count) noexcept = 0;
  /// Whether another open of the folder, in this process or another, holds a lock on one of the
  /// count bytes from position; false where that cannot be told.
  virtual bool IsFolderRangeLocked(Handle folder, unsigned long long position, unsigned long long count) noexcept = 0;
  virtual bool GetStatus(Handle file, FileStatus& status) noexcept = 0;
  /// Whether path names the very file that file is open on.
  virtual bool IsSameFile(Handle file, LPCTSTR path) noexcept = 0;
  /// Gives file another owner and group; false where the caller may not.
  virtual bool SetOwner(Handle file, unsigned owner, unsigned group) noexcept = 0;
  /// Sets the permission, set-id and sticky bits of file.
  virtual bool SetMode(Handle file, unsigned mode) noexcept = 0;
  /// The names of the extended attributes of file that the caller may see, each followed by a
  /// zero byte; empty where the file system keeps none.
  virtual bool ListAttributes(Handle file, CString& names) noexcept = 0;
  /// The value of the attribute name (any bytes); false with FileNotFound where file has none of
  /// that name or its file system keeps none.
  virtual bool GetAttribute(Handle file, LPCTSTR name, CString& value, FileCause& cause) noexcept = 0;
  /// False with AccessDenied where the caller may not set the attribute or the file system keeps
  /// none, with another cause where the setting failed.
  virtual bool SetAttribute(Handle file, LPCTSTR name, const CString& value, FileCause& cause) noexcept = 0;
  /// Removes the attribute name; true where file has none of that name.
  virtual bool RemoveAttribute(Handle file, LPCTSTR name) noexcept = 0;
  /// Moves oldPath to newPath; without replaceExisting it fails where newPath exists. A move onto
  /// a mount point or to another file system fails with CrossDevice.
  virtual bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting, FileCause& cause) noexcept = 0;
  virtual bool Remove(LPCTSTR path) noexcept = 0;
  /// Makes durable the folder entry of path: a name created, moved or removed in path's folder.
  virtual bool SyncFolder(LPCTSTR path) noexcept = 0;
  /// The absolute path that path finally names once symbolic links are followed, in every place,
  /// also where the last link names nothing yet; empty where the chain is too long or a link may
  /// not be followed: one in a sticky folder that others may write is followed only when the
  /// caller or the folder's owner owns it.
  virtual CString ResolveLinks(LPCTSTR path) noexcept = 0;
};

/// The file calls in use: the host's, unless a test installed others.
FileAccess& GetFileAccess() noexcept;
/// The host's own file calls.
FileAccess& GetHostFileAccess() noexcept;
/// Makes access the file calls in use; null restores the host's. The caller keeps access alive.
void SetFileAccess(FileAccess* access) noexcept;
/// The handle that file holds in the file calls in use; NoHandle when it is closed.
FileAccess::Handle HandleOf(const CFile& file) noexcept;

#endif
