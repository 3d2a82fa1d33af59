// File calls for tests: passed through to other file calls, with one fault that can be armed.
#ifndef ZODAVUDAZ_TESTS_HOOKS_FAULTINJECTINGFILEACCESS_H
#define ZODAVUDAZ_TESTS_HOOKS_FAULTINJECTINGFILEACCESS_H

#include <zodavudaz/platform/FileAccess.h>

/// The ways an armed fault fails its call.
enum class FileFault {
  /// Open fails as if another opener held the file.
  OpenRefused,
  /// Read fails.
  ReadError,
  /// Write writes half of its bytes, then fails.
  ShortWrite,
  /// Write writes nothing and fails with a full disk.
  DiskFull,
  /// Flush fails.
  FlushError,
  /// Rename fails and moves nothing.
  RenameError,
};

/// Counts the calls that the armed fault applies to (opens, reads, writes, flushes or renames)
/// and fails the chosen one, once or from then on; every other call goes to the inner calls.
class FaultInjectingFileAccess : public FileAccess {
public:
  explicit FaultInjectingFileAccess(FileAccess& inner = GetHostFileAccess()) noexcept : Inner(inner) {}

  /// Fails the callNumber-th call (from 1) of the fault's kind from now on; persistent also
  /// fails every later one. Resets the count of faults fired.
  void Arm(FileFault fault, int callNumber, bool persistent) noexcept;
  void Disarm() noexcept { CallsLeft = 0; }
  /// How many calls the armed fault has failed.
  int GetFaultCount() const noexcept { return Fired; }

  Handle Open(LPCTSTR path, UINT openFlags, FileCause& cause) noexcept override;
  long Read(Handle file, void* buffer, UINT count) noexcept override;
  long Write(Handle file, const void* buffer, UINT count, FileCause& cause) noexcept override;
  long Seek(Handle file, long offset, UINT from) noexcept override { return Inner.Seek(file, offset, from); }
  long GetLength(Handle file) noexcept override { return Inner.GetLength(file); }
  bool SetLength(Handle file, DWORD length) noexcept override { return Inner.SetLength(file, length); }
  bool Flush(Handle file) noexcept override;
  void Close(Handle file) noexcept override { Inner.Close(file); }
  bool LockRange(Handle file, DWORD position, DWORD count, bool exclusive) noexcept override {
    return Inner.LockRange(file, position, count, exclusive);
  }
  bool UnlockRange(Handle file, DWORD position, DWORD count) noexcept override {
    return Inner.UnlockRange(file, position, count);
  }
  int GetLinkCount(Handle file) noexcept override { return Inner.GetLinkCount(file); }
  bool IsSameFile(Handle file, LPCTSTR path) noexcept override { return Inner.IsSameFile(file, path); }
  bool CopyOwnership(Handle source, Handle target) noexcept override { return Inner.CopyOwnership(source, target); }
  bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting) noexcept override;
  bool Remove(LPCTSTR path) noexcept override { return Inner.Remove(path); }
  void RemoveStartingWith(LPCTSTR pathPrefix) noexcept override { Inner.RemoveStartingWith(pathPrefix); }
  CString ResolveLinks(LPCTSTR path) noexcept override { return Inner.ResolveLinks(path); }

private:
  /// Whether this call, one of the kind that fault applies to, is to fail.
  bool Strikes(bool appliesToCall) noexcept;

  FileAccess& Inner;
  FileFault Fault = FileFault::OpenRefused;
  int CallsLeft = 0; // 0: disarmed
  bool Persistent = false;
  int Fired = 0;
};

#endif
