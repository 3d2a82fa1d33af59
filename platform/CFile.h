// The framework's file object, with exclusive opening across processes.
#ifndef PLATFORM_CFILE_H
#define PLATFORM_CFILE_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/platform/FileAccess.h>

/// What a failed CFile call reports; the framework throws it, this layer only fills it in.
class ZODAVUDAZ_EXPORT CFileException {
public:
  FileCause Cause = FileCause::None;
};

/// A file opened by name. Paths may use "\\" as folder separator. Where the framework throws,
/// these members return a failure value instead; none throws.
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
  /// missing, locked by another opener with shareExclusive, ...).
  BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) noexcept;
  BOOL IsOpen() const noexcept { return Handle != FileAccess::NoHandle; }
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

  /// TRUE when fileName still names the file this object has open.
  BOOL IsStillAt(LPCTSTR fileName) const noexcept;
  /// Gives this open file the permission bits of original.
  BOOL CopyPermissionsFrom(const CFile& original) noexcept;

  /// Moves oldName to newName; fails where newName exists unless replaceExisting, in which case
  /// the replacement is atomic.
  static BOOL Rename(LPCTSTR oldName, LPCTSTR newName, BOOL replaceExisting = FALSE) noexcept;
  static BOOL Remove(LPCTSTR fileName) noexcept;
  /// The host path of the file that fileName finally names through symbolic links; fileName in
  /// host form where it names nothing yet.
  static CString ResolveLinks(LPCTSTR fileName) noexcept;
  /// fileName with every "\\" turned into the host's folder separator.
  static CString ToHostPath(LPCTSTR fileName) noexcept;

private:
  FileAccess::Handle Handle = FileAccess::NoHandle;
};

#endif
