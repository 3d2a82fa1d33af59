// The framework's file object, with exclusive opening across processes.
#ifndef ZODAVUDAZ_PLATFORM_CFILE_H
#define ZODAVUDAZ_PLATFORM_CFILE_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/platform/FileCause.h>
#include <zodavudaz/platform/ReadAhead.h>

/// What a failed CFile call reports; the framework throws it, this layer only fills it in.
class ZODAVUDAZ_EXPORT CFileException {
public:
  FileCause Cause = FileCause::None;
};

/// A regular file opened by name. Paths may use "\\" as folder separator. Where the framework
/// throws, these members return a failure value instead; none throws. Small reads go through a
/// block read ahead, so that reading a file in many small steps stays cheap.
class ZODAVUDAZ_EXPORT CFile {
public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    /// No other opener with this flag, in this process or another, gets the file while it is open.
    shareExclusive = 0x0010,
    /// Creates the file, or empties it where it exists.
    modeCreate = 0x1000,
    /// Creates the file and fails where it exists.
    modeCreateNew = 0x4000,
  };
  enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
  /// Read's and GetLength's failure value.
  static constexpr UINT Failed = 0xFFFFFFFF;

  CFile() noexcept = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  /// Closes the file if it is still open.
  ~CFile();

  /// Opens fileName; FALSE, with the cause in error when given, where it cannot (already open,
  /// missing, locked by another opener with shareExclusive, not a regular file, ...).
  BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) noexcept;
  BOOL IsOpen() const noexcept { return Handle != NoHandle; }
  /// Bytes read into buffer, fewer than count only at the end of the file; Failed on error.
  UINT Read(void* buffer, UINT count) noexcept;
  /// TRUE when all count bytes were written.
  BOOL Write(const void* buffer, UINT count, CFileException* error = nullptr) noexcept;
  /// The new position from the start, or -1.
  LONG Seek(LONG offset, UINT from) noexcept;
  /// The length in bytes, or Failed.
  DWORD GetLength() const noexcept;
  BOOL SetLength(DWORD newLength) noexcept;
  /// Makes what was written durable before a later step depends on it.
  BOOL Flush() noexcept;
  void Close() noexcept;

  /// Locks count bytes from position, exclusively or shared with other shared lockers, unless
  /// another open of the file holds a conflicting lock; FALSE at once then. Close releases it.
  /// Where the file system keeps no locks, TRUE without a lock.
  BOOL LockRange(DWORD position, DWORD count, BOOL exclusive = TRUE) noexcept;
  BOOL UnlockRange(DWORD position, DWORD count) noexcept;
  /// TRUE when fileName still names the file this object has open.
  BOOL IsStillAt(LPCTSTR fileName) const noexcept;

  /// Moves oldName to newName; fails where newName exists unless replaceExisting, in which case
  /// the replacement is atomic.
  static BOOL Rename(LPCTSTR oldName, LPCTSTR newName, BOOL replaceExisting = FALSE) noexcept;
  static BOOL Remove(LPCTSTR fileName) noexcept;
  /// The absolute host path of the file that fileName finally names through symbolic links, also
  /// where the last link names a file that does not exist yet; empty where the chain is too long
  /// or a link lies in a sticky folder that others may write and neither the caller nor the
  /// folder's owner owns it (the rule the kernel may apply to its own walks).
  static CString ResolveLinks(LPCTSTR fileName) noexcept;
  /// fileName with every "\\" turned into the host's folder separator.
  static CString ToHostPath(LPCTSTR fileName) noexcept;

private:
  /// The platform's own file calls reach the host file behind this object.
  friend int HandleOf(const CFile& file) noexcept;
  /// Gives the host file the reader's position again and forgets what was read ahead.
  void DropReadAhead() noexcept;
  /// Reads ahead from the reader's position into block; FALSE on a failed read.
  BOOL FillReadAhead(char* block) noexcept;

  /// The host file's handle in the file calls in use (FileAccess), or NoHandle.
  static constexpr int NoHandle = -1;
  int Handle = NoHandle;
  /// The position is known to be the start (just opened, or a seek put it there), so seeking to
  /// the start needs no call of the host. Beside Handle, where the 64-bit layout has room.
  bool AtStart = false;
  ReadAhead Ahead;
};

#endif
