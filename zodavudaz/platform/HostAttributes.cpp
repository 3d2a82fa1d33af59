#include <zodavudaz/platform/HostAttributes.h>

#include <zodavudaz/platform/HostFileCause.h>

#include <cerrno>
#include <sys/xattr.h>

namespace {
bool IsUnsupported(int error) noexcept { return error == ENOTSUP || error == EOPNOTSUPP; }

/// Fills text with what call hands out: asked first for the size with a null buffer, then
/// filled; a size that grew in between is met by the next round. False with errno set.
template <typename SizedCall>
bool ReadSized(CString& text, SizedCall call) noexcept {
  for (int round = 0; round < 4; ++round) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0)
      return false;
    char* buffer = size <= 0x7FFFFFF0 ? text.GetBuffer(static_cast<int>(size)) : nullptr;
    if (buffer == nullptr) {
      errno = ENOMEM;
      return false;
    }
    const ssize_t filled = size == 0 ? 0 : call(buffer, static_cast<size_t>(size));
    text.ReleaseBuffer(filled < 0 ? 0 : static_cast<int>(filled));
    if (filled >= 0)
      return true;
    if (errno != ERANGE)
      return false;
  }
  return false;
}
} // namespace

bool ListHostAttributes(int file, CString& names) noexcept {
  names.Empty();
  return ReadSized(names, [file](char* buffer, size_t size) { return ::flistxattr(file, buffer, size); }) ||
         IsUnsupported(errno);
}

bool GetHostAttribute(int file, const char* name, CString& value, FileCause& cause) noexcept {
  value.Empty();
  if (ReadSized(value, [file, name](char* buffer, size_t size) { return ::fgetxattr(file, name, buffer, size); })) {
    cause = FileCause::None;
    return true;
  }
  cause = errno == ENODATA || IsUnsupported(errno) ? FileCause::FileNotFound : HostFileCause(errno);
  return false;
}

bool SetHostAttribute(int file, const char* name, const CString& value, FileCause& cause) noexcept {
  if (::fsetxattr(file, name, static_cast<const char*>(value), static_cast<size_t>(value.GetLength()), 0) == 0) {
    cause = FileCause::None;
    return true;
  }
  cause = IsUnsupported(errno) ? FileCause::AccessDenied : HostFileCause(errno);
  return false;
}

bool RemoveHostAttribute(int file, const char* name) noexcept {
  return ::fremovexattr(file, name) == 0 || errno == ENODATA;
}
