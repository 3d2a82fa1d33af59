// A new version of a file, written beside it and moved over it only once it is complete.
#ifndef ZODAVUDAZ_SETTINGS_REPLACEMENTFILE_H
#define ZODAVUDAZ_SETTINGS_REPLACEMENTFILE_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>

/// Writes a temporary file in the target's folder; Commit moves it onto the target in one step,
/// and anything short of a commit removes it, so the target holds its old bytes or its new ones.
/// Temporary names begin with the target's name and ".~"; only a writer holding the target's
/// writing lock makes one, so whatever such a writer finds under that prefix was left by a
/// writer that died, and is removed.
class ReplacementFile {
public:
  /// target is a host path that names no symbolic link.
  explicit ReplacementFile(const CString& target) noexcept : Target(target) {}
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  /// Removes the temporary file unless it was committed.
  ~ReplacementFile();

  /// Removes leftovers, then creates the temporary file under a name that no other file has;
  /// false with the cause (AccessDenied where the folder takes no new file) when it cannot.
  bool Create(FileCause& cause) noexcept;
  bool Write(const char* bytes, int length) noexcept;
  /// Gives the temporary file the original's owner, group and permissions; false where the
  /// writer may not, and the replacement would then change whose file it is.
  bool CopyOwnershipFrom(const CFile& original) noexcept { return File.CopyOwnershipFrom(original); }
  /// Makes the written bytes durable and moves them onto the target. False leaves the target as
  /// it was.
  bool Commit() noexcept;

private:
  void Discard() noexcept;

  CString Target;
  CString TempName;
  CFile File;
};

#endif
