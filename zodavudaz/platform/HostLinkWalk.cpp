#include <zodavudaz/platform/HostLinkWalk.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Chains of symbolic links longer than the kernel's own limit name nothing.
constexpr int MaxLinkHops = 40;

CString Join(const CString& folder, const CString& name) noexcept {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

CString ParentOf(const CString& path) noexcept {
  int slash = -1;
  for (int index = path.Find('/'); index >= 0; index = path.Find('/', index + 1))
    slash = index;
  return slash <= 0 ? CString("/") : path.Left(slash);
}

CString WorkingFolder() noexcept {
  char* folder = ::getcwd(nullptr, 0);
  if (folder == nullptr)
    return CString();
  CString result(folder);
  std::free(folder);
  return result;
}

/// The rule that protects a privileged caller from links that others planted in a shared folder
/// such as the temporary one: there, only a link of the caller or of the folder's owner counts.
bool MayFollow(const struct stat64& link, const CString& folder) noexcept {
  struct stat64 status {};
  if (::stat64(folder, &status) != 0)
    return false;
  const bool shared = (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == status.st_uid;
}

/// The target of the link at path; empty where it cannot be read.
CString LinkTarget(const CString& path) noexcept {
  char target[4096];
  const ssize_t length = ::readlink(path, target, sizeof target);
  return length > 0 && static_cast<size_t>(length) < sizeof target ? CString(target, static_cast<int>(length))
                                                                   : CString();
}
} // namespace

CString WalkHostLinks(LPCTSTR path) noexcept {
  CString walked = path[0] == '/' ? CString("/") : WorkingFolder();
  CString pending(path);
  int hops = 0;
  while (!walked.IsEmpty() && !pending.IsEmpty()) {
    const int slash = pending.Find('/');
    const CString name = slash < 0 ? pending : pending.Left(slash);
    pending = slash < 0 ? CString() : pending.Mid(slash + 1);
    if (name.IsEmpty() || name == ".")
      continue;
    if (name == "..") {
      walked = ParentOf(walked);
      continue;
    }
    const CString next = Join(walked, name);
    struct stat64 status {};
    // A name that is missing (or hidden from the caller) stays; the open that follows says why.
    if (::lstat64(next, &status) != 0 || !S_ISLNK(status.st_mode)) {
      walked = next;
      continue;
    }
    const CString target = ++hops <= MaxLinkHops && MayFollow(status, walked) ? LinkTarget(next) : CString();
    if (target.IsEmpty())
      return CString();
    pending = pending.IsEmpty() ? target : target + "/" + pending;
    if (target[0] == '/')
      walked = "/";
  }
  return walked;
}
