// The host's file calls behind CFile.
#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/FileAccess.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
FileCause CauseOf(int error) noexcept {
  switch (error) {
  case ENOENT: return FileCause::FileNotFound;
  case EACCES:
  case EPERM:
  case EROFS: return FileCause::AccessDenied;
  case EWOULDBLOCK: return FileCause::SharingViolation;
  case ENOSPC:
  case EDQUOT: return FileCause::DiskFull;
  default: return FileCause::Generic;
  }
}

int OpenMode(UINT openFlags) noexcept {
  int mode = O_CLOEXEC;
  if ((openFlags & CFile::modeReadWrite) != 0)
    mode |= O_RDWR;
  else if ((openFlags & CFile::modeWrite) != 0)
    mode |= O_WRONLY;
  else
    mode |= O_RDONLY;
  if ((openFlags & CFile::modeCreateNew) != 0)
    mode |= O_CREAT | O_EXCL;
  else if ((openFlags & CFile::modeCreate) != 0)
    mode |= O_CREAT | O_TRUNC;
  return mode;
}

class HostFileAccess final : public FileAccess {
public:
  Handle Open(LPCTSTR path, UINT openFlags, FileCause& cause) noexcept override {
    Handle file = ::open(path, OpenMode(openFlags), 0666);
    if (file < 0) {
      cause = CauseOf(errno);
      return NoHandle;
    }
    // An advisory lock of the whole file stands for the framework's exclusive sharing mode;
    // every opener of the library's files asks for it.
    if ((openFlags & CFile::shareExclusive) != 0 && ::flock(file, LOCK_EX | LOCK_NB) != 0) {
      cause = CauseOf(errno);
      ::close(file);
      return NoHandle;
    }
    cause = FileCause::None;
    return file;
  }

  long Read(Handle file, void* buffer, UINT count) noexcept override {
    UINT done = 0;
    while (done < count) {
      const ssize_t read = ::read(file, static_cast<char*>(buffer) + done, count - done);
      if (read < 0 && errno == EINTR)
        continue;
      if (read < 0)
        return -1;
      if (read == 0)
        break;
      done += static_cast<UINT>(read);
    }
    return static_cast<long>(done);
  }

  long Write(Handle file, const void* buffer, UINT count, FileCause& cause) noexcept override {
    UINT done = 0;
    while (done < count) {
      const ssize_t written = ::write(file, static_cast<const char*>(buffer) + done, count - done);
      if (written < 0 && errno == EINTR)
        continue;
      if (written <= 0) {
        cause = written < 0 ? CauseOf(errno) : FileCause::DiskFull;
        return done > 0 ? static_cast<long>(done) : -1;
      }
      done += static_cast<UINT>(written);
    }
    cause = FileCause::None;
    return static_cast<long>(done);
  }

  long Seek(Handle file, long offset, UINT from) noexcept override {
    const int whence = from == CFile::end ? SEEK_END : from == CFile::current ? SEEK_CUR : SEEK_SET;
    // A position past 2 GiB is an error, as it is for the 32-bit build's lseek.
    const off_t position = ::lseek(file, offset, whence);
    return position > 0x7FFFFFFF ? -1 : static_cast<long>(position);
  }

  long GetLength(Handle file) noexcept override {
    struct stat64 status {};
    if (::fstat64(file, &status) != 0 || status.st_size > 0x7FFFFFFF)
      return -1;
    return static_cast<long>(status.st_size);
  }

  bool SetLength(Handle file, DWORD length) noexcept override {
    return ::ftruncate(file, static_cast<off_t>(length)) == 0;
  }

  bool Flush(Handle file) noexcept override { return ::fsync(file) == 0; }

  void Close(Handle file) noexcept override { ::close(file); }

  bool IsSameFile(Handle file, LPCTSTR path) noexcept override {
    // The 64-bit calls, because inode numbers of some file systems do not fit the 32-bit record.
    struct stat64 opened {};
    struct stat64 named {};
    return ::fstat64(file, &opened) == 0 && ::stat64(path, &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
  }

  bool CopyPermissions(Handle source, Handle target) noexcept override {
    struct stat64 status {};
    return ::fstat64(source, &status) == 0 && ::fchmod(target, status.st_mode & 07777) == 0;
  }

  bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting) noexcept override {
    if (replaceExisting)
      return ::rename(oldPath, newPath) == 0;
    if (::renameat2(AT_FDCWD, oldPath, AT_FDCWD, newPath, RENAME_NOREPLACE) == 0)
      return true;
    // File systems without the no-replace move still refuse to link over an existing name.
    if (errno != EINVAL && errno != ENOSYS)
      return false;
    return ::link(oldPath, newPath) == 0 && ::unlink(oldPath) == 0;
  }

  bool Remove(LPCTSTR path) noexcept override { return ::unlink(path) == 0; }

  CString ResolveLinks(LPCTSTR path) noexcept override {
    char* resolved = ::realpath(path, nullptr);
    if (resolved == nullptr)
      return CString(path);
    CString result(resolved);
    std::free(resolved);
    return result;
  }
};
} // namespace

FileAccess& GetHostFileAccess() noexcept {
  static HostFileAccess host;
  return host;
}
