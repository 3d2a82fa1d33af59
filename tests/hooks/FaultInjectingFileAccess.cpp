#include "tests/hooks/FaultInjectingFileAccess.h"

#include <algorithm>
#include <unistd.h>

void FaultInjectingFileAccess::Arm(FileFault fault, int callNumber, bool persistent) noexcept {
  Fault = fault;
  Countdown.Arm(callNumber, persistent);
}

bool FaultInjectingFileAccess::Strikes(std::initializer_list<FileFault> kinds) noexcept {
  return std::find(kinds.begin(), kinds.end(), Fault) != kinds.end() && Countdown.Strikes();
}

void FaultInjectingFileAccess::CrashIfStruck() noexcept {
  if (Strikes({FileFault::Crash}))
    _exit(CrashExitCode);
}

FileAccess::Handle FaultInjectingFileAccess::Open(LPCTSTR path, UINT openFlags, FileCause& cause) noexcept {
  if (Passes(FileFault::OpenRefused))
    return Inner.Open(path, openFlags, cause);
  cause = FileCause::SharingViolation;
  return NoHandle;
}

long FaultInjectingFileAccess::Write(Handle file, const void* buffer, UINT count, FileCause& cause) noexcept {
  const bool crash = Fault == FileFault::Crash;
  if (!Strikes({FileFault::ShortWrite, FileFault::DiskFull, FileFault::Crash}))
    return Inner.Write(file, buffer, count, cause);
  FileCause ignored = FileCause::None;
  if (crash) {
    Inner.Write(file, buffer, count / 2, ignored);
    _exit(CrashExitCode);
  }
  cause = FileCause::DiskFull;
  if (Fault == FileFault::DiskFull || count < 2)
    return -1;
  return Inner.Write(file, buffer, count / 2, ignored);
}

bool FaultInjectingFileAccess::GetAttribute(Handle file, LPCTSTR name, CString& value, FileCause& cause) noexcept {
  if (Passes(FileFault::AttributeReadError))
    return Inner.GetAttribute(file, name, value, cause);
  cause = FileCause::Generic;
  return false;
}

bool FaultInjectingFileAccess::SetAttribute(Handle file, LPCTSTR name, const CString& value,
                                            FileCause& cause) noexcept {
  if (ChangePasses(FileFault::AttributeRefused))
    return Inner.SetAttribute(file, name, value, cause);
  cause = FileCause::AccessDenied;
  return false;
}

bool FaultInjectingFileAccess::Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting,
                                      FileCause& cause) noexcept {
  CrashIfStruck();
  const bool crossDevice = Fault == FileFault::RenameCrossDevice;
  if (!Strikes({FileFault::RenameError, FileFault::RenameCrossDevice}))
    return Inner.Rename(oldPath, newPath, replaceExisting, cause);
  cause = crossDevice ? FileCause::CrossDevice : FileCause::Generic;
  return false;
}
