// The host's file calls behind CFile.
#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/platform/HostAttributes.h>
#include <zodavudaz/platform/HostFileCause.h>
#include <zodavudaz/platform/HostLinkWalk.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int OpenMode(UINT openFlags) noexcept {
  // A pipe or device must never hold up an open; what is not a regular file is refused anyway.
  int mode = O_CLOEXEC | O_NONBLOCK;
  if ((openFlags & CFile::modeReadWrite) != 0)
    mode |= O_RDWR;
  else if ((openFlags & CFile::modeWrite) != 0)
    mode |= O_WRONLY;
  else
    mode |= O_RDONLY;
  if ((openFlags & FileAccess::NoFinalLink) != 0)
    mode |= O_NOFOLLOW;
  if ((openFlags & CFile::modeCreateNew) != 0)
    mode |= O_CREAT | O_EXCL;
  else if ((openFlags & CFile::modeCreate) != 0)
    mode |= O_CREAT | O_TRUNC;
  return mode;
}

/// The folder that holds path.
CString FolderOf(LPCTSTR path) noexcept {
  const char* slash = std::strrchr(path, '/');
  if (slash == nullptr)
    return CString(".");
  return slash == path ? CString("/") : CString(path, static_cast<int>(slash - path));
}

class HostFileAccess final : public FileAccess {
public:
  Handle Open(LPCTSTR path, UINT openFlags, FileCause& cause) noexcept override {
    Handle file = ::open(path, OpenMode(openFlags), (openFlags & CreatePrivate) != 0 ? 0600 : 0666);
    if (file < 0) {
      cause = HostFileCause(errno);
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
      cause = HostFileCause(errno);
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
        cause = written < 0 ? HostFileCause(errno) : FileCause::DiskFull;
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

  Handle OpenFolder(LPCTSTR path) noexcept override {
    const Handle folder = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return folder < 0 ? NoHandle : folder;
  }

  bool ShareFolderRange(Handle folder, unsigned long long position, unsigned long long count) noexcept override {
    struct flock64 lock = RangeOf(F_RDLCK, position, count);
    return ::fcntl64(folder, F_OFD_SETLK, &lock) == 0;
  }

  bool IsFolderRangeLocked(Handle folder, unsigned long long position, unsigned long long count) noexcept override {
    // Asked as for an exclusive lock, which every other lock would keep out.
    struct flock64 lock = RangeOf(F_WRLCK, position, count);
    return ::fcntl64(folder, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  }

  bool GetStatus(Handle file, FileStatus& status) noexcept override {
    struct stat64 info {};
    if (::fstat64(file, &info) != 0)
      return false;
    status = FileStatus{info.st_dev,
                        info.st_ino,
                        info.st_uid,
                        info.st_gid,
                        info.st_mode & 07777u,
                        static_cast<unsigned>(info.st_nlink),
                        static_cast<long long>(info.st_size)};
    return true;
  }

  bool SetOwner(Handle file, unsigned owner, unsigned group) noexcept override {
    return ::fchown(file, owner, group) == 0;
  }

  bool SetMode(Handle file, unsigned mode) noexcept override { return ::fchmod(file, mode & 07777u) == 0; }

  bool ListAttributes(Handle file, CString& names) noexcept override { return ListHostAttributes(file, names); }

  bool GetAttribute(Handle file, LPCTSTR name, CString& value, FileCause& cause) noexcept override {
    return GetHostAttribute(file, name, value, cause);
  }

  bool SetAttribute(Handle file, LPCTSTR name, const CString& value, FileCause& cause) noexcept override {
    return SetHostAttribute(file, name, value, cause);
  }

  bool RemoveAttribute(Handle file, LPCTSTR name) noexcept override { return RemoveHostAttribute(file, name); }

  bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting, FileCause& cause) noexcept override {
    const bool moved = Move(oldPath, newPath, replaceExisting);
    cause = moved ? FileCause::None : HostFileCause(errno);
    return moved;
  }

  bool Remove(LPCTSTR path) noexcept override { return ::unlink(path) == 0; }

  bool SyncFolder(LPCTSTR path) noexcept override {
    // The move itself has succeeded: a folder the caller may write but not read, or a file system
    // that keeps its folders durable itself and refuses to sync one, must not turn it into a failure.
    // Only a sync that says the folder's entries may be lost fails the call.
    const int folder = ::open(FolderOf(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
      return true;
    const bool synced = ::fsync(folder) == 0 || (errno != EIO && errno != ENOSPC && errno != EDQUOT);
    ::close(folder);
    return synced;
  }

  CString ResolveLinks(LPCTSTR path) noexcept override { return WalkHostLinks(path); }

private:
  /// Sets a lock of type on count bytes from position: a lock of the open file itself, not of the
  /// process, so that threads exclude each other too. Never waits.
  /// A lock record of type over count bytes from position.
  static struct flock64 RangeOf(int type, unsigned long long position, unsigned long long count) noexcept {
    struct flock64 lock {};
    lock.l_type = static_cast<short>(type);
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off64_t>(position);
    lock.l_len = static_cast<off64_t>(count);
    return lock;
  }

  static bool SetRangeLock(Handle file, int type, DWORD position, DWORD count) noexcept {
    struct flock64 lock = RangeOf(type, position, count);
    return ::fcntl64(file, F_OFD_SETLK, &lock) == 0;
  }

  /// Moves oldPath to newPath; errno says why it did not.
  static bool Move(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting) noexcept {
    if (replaceExisting)
      return ::rename(oldPath, newPath) == 0;
    if (::renameat2(AT_FDCWD, oldPath, AT_FDCWD, newPath, RENAME_NOREPLACE) == 0)
      return true;
    // File systems without the no-replace move still refuse to link over an existing name.
    if (errno != EINVAL && errno != ENOSYS)
      return false;
    return ::link(oldPath, newPath) == 0 && ::unlink(oldPath) == 0;
  }
};
} // namespace

FileAccess& GetHostFileAccess() noexcept {
  static HostFileAccess host;
  return host;
}
