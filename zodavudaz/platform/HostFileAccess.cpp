// The host's file calls behind CFile.
#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/FileAccess.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Chains of symbolic links longer than the kernel's own limit name nothing.
constexpr int MaxLinkHops = 40;

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
  // A pipe or device must never hold up an open; what is not a regular file is refused anyway.
  int mode = O_CLOEXEC | O_NONBLOCK;
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
    struct stat64 status {};
    if (::fstat64(file, &status) != 0 || !S_ISREG(status.st_mode)) {
      cause = FileCause::AccessDenied;
      ::close(file);
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

  bool LockRange(Handle file, DWORD position, DWORD count, bool exclusive) noexcept override {
    // A file system that keeps no locks cannot be waited for; such a file is used unlocked.
    return SetRangeLock(file, exclusive ? F_WRLCK : F_RDLCK, position, count) || (errno != EAGAIN && errno != EACCES);
  }

  bool UnlockRange(Handle file, DWORD position, DWORD count) noexcept override {
    return SetRangeLock(file, F_UNLCK, position, count);
  }

  int GetLinkCount(Handle file) noexcept override {
    struct stat64 status {};
    return ::fstat64(file, &status) == 0 ? static_cast<int>(status.st_nlink) : -1;
  }

  bool CopyOwnership(Handle source, Handle target) noexcept override {
    struct stat64 original {};
    struct stat64 copy {};
    if (::fstat64(source, &original) != 0 || ::fstat64(target, &copy) != 0)
      return false;
    // Only a privileged caller may give a file away; the group must be one of the caller's own.
    if ((original.st_uid != copy.st_uid || original.st_gid != copy.st_gid) &&
        ::fchown(target, original.st_uid, original.st_gid) != 0)
      return false;
    return ::fchmod(target, original.st_mode & 07777) == 0;
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

  void RemoveStartingWith(LPCTSTR pathPrefix) noexcept override {
    const char* slash = std::strrchr(pathPrefix, '/');
    const CString folder =
        slash == nullptr ? CString(".") : CString(pathPrefix, static_cast<int>(slash - pathPrefix) + 1);
    const char* namePrefix = slash == nullptr ? pathPrefix : slash + 1;
    const size_t prefixLength = std::strlen(namePrefix);
    DIR* entries = ::opendir(folder);
    if (entries == nullptr)
      return;
    // The 64-bit walk, because 32-bit entries cannot hold the positions of some file systems.
    while (const struct dirent64* entry = ::readdir64(entries))
      if (std::strncmp(entry->d_name, namePrefix, prefixLength) == 0)
        ::unlinkat(::dirfd(entries), entry->d_name, 0);
    ::closedir(entries);
  }

  CString ResolveLinks(LPCTSTR path) noexcept override {
    CString current(path);
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
      const CString folder = CanonicalFolder(current);
      char target[4096];
      const ssize_t length = ::readlink(current, target, sizeof target - 1);
      if (folder.IsEmpty() || length <= 0)
        break;
      target[length] = '\0';
      // A relative target counts from the link's own folder, with that folder's links resolved.
      current = target[0] == '/' ? CString(target) : folder + target;
    }
    return current;
  }

private:
  /// Sets a lock of type on count bytes from position: a lock of the open file itself, not of the
  /// process, so that threads exclude each other too. Never waits.
  static bool SetRangeLock(Handle file, int type, DWORD position, DWORD count) noexcept {
    struct flock64 lock {};
    lock.l_type = static_cast<short>(type);
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off64_t>(position);
    lock.l_len = static_cast<off64_t>(count);
    return ::fcntl64(file, F_OFD_SETLK, &lock) == 0;
  }

  /// The folder of path, links resolved, with a final "/"; empty where it does not exist.
  static CString CanonicalFolder(const CString& path) {
    const char* slash = std::strrchr(path, '/');
    const CString folder = slash == nullptr                      ? CString(".")
                           : slash == static_cast<LPCTSTR>(path) ? CString("/")
                                                                 : CString(path, static_cast<int>(slash - path));
    char* resolved = ::realpath(folder, nullptr);
    if (resolved == nullptr)
      return CString();
    CString result(resolved);
    std::free(resolved);
    return result.Right(1) == "/" ? result : result + "/";
  }
};
} // namespace

FileAccess& GetHostFileAccess() noexcept {
  static HostFileAccess host;
  return host;
}
