#include <zodavudaz/platform/HostFileCause.h>

#include <cerrno>

FileCause HostFileCause(int error) noexcept {
  switch (error) {
  case ENOENT: return FileCause::FileNotFound;
  case EACCES:
  case EPERM:
  case EROFS: return FileCause::AccessDenied;
  case EWOULDBLOCK: return FileCause::SharingViolation;
  case ENOSPC:
  case EDQUOT: return FileCause::DiskFull;
  // A rename onto a mount point (a file bound in its place) or across file systems.
  case EXDEV:
  case EBUSY: return FileCause::CrossDevice;
  default: return FileCause::Generic;
  }
}
