#include "tests/hooks/FaultInjectingFileAccess.h"

void FaultInjectingFileAccess::Arm(FileFault fault, int callNumber, bool persistent) noexcept {
  Fault = fault;
  CallsLeft = callNumber < 1 ? 1 : callNumber;
  Persistent = persistent;
  Fired = 0;
}

bool FaultInjectingFileAccess::Strikes(bool appliesToCall) noexcept {
  if (CallsLeft == 0 || !appliesToCall)
    return false;
  if (CallsLeft > 1) {
    --CallsLeft;
    return false;
  }
  if (!Persistent)
    CallsLeft = 0;
  ++Fired;
  return true;
}

FileAccess::Handle FaultInjectingFileAccess::Open(LPCTSTR path, UINT openFlags, FileCause& cause) noexcept {
  if (Strikes(Fault == FileFault::OpenRefused)) {
    cause = FileCause::SharingViolation;
    return NoHandle;
  }
  return Inner.Open(path, openFlags, cause);
}

long FaultInjectingFileAccess::Read(Handle file, void* buffer, UINT count) noexcept {
  return Strikes(Fault == FileFault::ReadError) ? -1 : Inner.Read(file, buffer, count);
}

long FaultInjectingFileAccess::Write(Handle file, const void* buffer, UINT count, FileCause& cause) noexcept {
  if (!Strikes(Fault == FileFault::ShortWrite || Fault == FileFault::DiskFull))
    return Inner.Write(file, buffer, count, cause);
  cause = FileCause::DiskFull;
  if (Fault == FileFault::DiskFull || count < 2)
    return -1;
  FileCause ignored = FileCause::None;
  return Inner.Write(file, buffer, count / 2, ignored);
}

bool FaultInjectingFileAccess::Flush(Handle file) noexcept {
  return !Strikes(Fault == FileFault::FlushError) && Inner.Flush(file);
}

bool FaultInjectingFileAccess::Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting) noexcept {
  return !Strikes(Fault == FileFault::RenameError) && Inner.Rename(oldPath, newPath, replaceExisting);
}
