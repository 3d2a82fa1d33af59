// File calls for tests: passed through to other file calls, with one fault that can be armed.
#ifndef ZODAVUDAZ_TESTS_HOOKS_FAULTINJECTINGFILEACCESS_H
#define ZODAVUDAZ_TESTS_HOOKS_FAULTINJECTINGFILEACCESS_H

#include "tests/hooks/FaultCountdown.h"
#include <zodavudaz/platform/FileAccess.h>

#include <initializer_list>

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
  /// SetLength fails.
  SetLengthError,
  /// Rename fails and moves nothing.
  RenameError,
  /// Rename fails as onto a mount point or across file systems.
  RenameCrossDevice,
  /// Remove fails and removes nothing.
  RemoveError,
  /// GetStatus fails.
  StatusError,
  /// SetOwner is refused.
  OwnerRefused,
  /// SetMode fails.
  ModeError,
  /// ListAttributes or GetAttribute fails as on an input/output error.
  AttributeReadError,
  /// SetAttribute or RemoveAttribute is refused.
  AttributeRefused,
  /// SyncFolder fails.
  FolderSyncError,
  /// The process ends, as under kill -9, at a call that changes a file (write, new length, flush,
  /// rename, removal, owner, mode, attribute or folder sync); a write first writes half its bytes.
  Crash,
};

/// The exit code of a process that an armed Crash ended.
constexpr int CrashExitCode = 86;

/// Counts the calls that the armed fault applies to and fails the chosen one, once or from then
/// on; every other call goes to the inner calls.
class FaultInjectingFileAccess : public FileAccess {
public:
  explicit FaultInjectingFileAccess(FileAccess& inner = GetHostFileAccess()) noexcept : Inner(inner) {}

  /// Fails the callNumber-th call (from 1) of the fault's kind from now on; persistent also
  /// fails every later one. Resets the count of faults fired.
  void Arm(FileFault fault, int callNumber, bool persistent) noexcept;
  void Disarm() noexcept { Countdown.Disarm(); }
  /// How many calls the armed fault has failed.
  int GetFaultCount() const noexcept { return Countdown.GetFired(); }

  Handle Open(LPCTSTR path, UINT openFlags, FileCause& cause) noexcept override;
  long Read(Handle file, void* buffer, UINT count) noexcept override {
    return Passes(FileFault::ReadError) ? Inner.Read(file, buffer, count) : -1;
  }
  long Write(Handle file, const void* buffer, UINT count, FileCause& cause) noexcept override;
  long Seek(Handle file, long offset, UINT from) noexcept override { return Inner.Seek(file, offset, from); }
  long GetLength(Handle file) noexcept override { return Inner.GetLength(file); }
  bool SetLength(Handle file, DWORD length) noexcept override {
    return ChangePasses(FileFault::SetLengthError) && Inner.SetLength(file, length);
  }
  bool Flush(Handle file) noexcept override { return ChangePasses(FileFault::FlushError) && Inner.Flush(file); }
  void Close(Handle file) noexcept override { Inner.Close(file); }
  bool LockRange(Handle file, DWORD position, DWORD count, bool exclusive) noexcept override {
    return Inner.LockRange(file, position, count, exclusive);
  }
  bool UnlockRange(Handle file, DWORD position, DWORD count) noexcept override {
    return Inner.UnlockRange(file, position, count);
  }
  Handle OpenFolder(LPCTSTR path) noexcept override { return Inner.OpenFolder(path); }
  bool ShareFolderRange(Handle folder, unsigned long long position, unsigned long long count) noexcept override {
    return Inner.ShareFolderRange(folder, position, count);
  }
  bool IsFolderRangeLocked(Handle folder, unsigned long long position, unsigned long long count) noexcept override {
    return Inner.IsFolderRangeLocked(folder, position, count);
  }
  bool GetStatus(Handle file, FileStatus& status) noexcept override {
    return Passes(FileFault::StatusError) && Inner.GetStatus(file, status);
  }
  bool IsSameFile(Handle file, LPCTSTR path) noexcept override { return Inner.IsSameFile(file, path); }
  bool SetOwner(Handle file, unsigned owner, unsigned group) noexcept override {
    return ChangePasses(FileFault::OwnerRefused) && Inner.SetOwner(file, owner, group);
  }
  bool SetMode(Handle file, unsigned mode) noexcept override {
    return ChangePasses(FileFault::ModeError) && Inner.SetMode(file, mode);
  }
  bool ListAttributes(Handle file, CString& names) noexcept override {
    return Passes(FileFault::AttributeReadError) && Inner.ListAttributes(file, names);
  }
  bool GetAttribute(Handle file, LPCTSTR name, CString& value, FileCause& cause) noexcept override;
  bool SetAttribute(Handle file, LPCTSTR name, const CString& value, FileCause& cause) noexcept override;
  bool RemoveAttribute(Handle file, LPCTSTR name) noexcept override {
    return ChangePasses(FileFault::AttributeRefused) && Inner.RemoveAttribute(file, name);
  }
  bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting, FileCause& cause) noexcept override;
  bool Remove(LPCTSTR path) noexcept override { return ChangePasses(FileFault::RemoveError) && Inner.Remove(path); }
  bool SyncFolder(LPCTSTR path) noexcept override {
    return ChangePasses(FileFault::FolderSyncError) && Inner.SyncFolder(path);
  }
  CString ResolveLinks(LPCTSTR path) noexcept override { return Inner.ResolveLinks(path); }

private:
  /// Whether this call is the one to fail: the armed fault is one of kinds (the kinds of fault
  /// this call can meet), and its count is reached.
  bool Strikes(std::initializer_list<FileFault> kinds) noexcept;
  /// Ends the process where an armed Crash strikes this call, which changes a file.
  void CrashIfStruck() noexcept;
  /// Whether this call goes on to the inner calls: the armed fault is not kind, or not yet due.
  bool Passes(FileFault kind) noexcept { return !Strikes({kind}); }
  /// The same for a call that changes a file, which an armed Crash also strikes.
  bool ChangePasses(FileFault kind) noexcept {
    CrashIfStruck();
    return Passes(kind);
  }

  FileAccess& Inner;
  FileFault Fault = FileFault::OpenRefused;
  FaultCountdown Countdown;
};

#endif
