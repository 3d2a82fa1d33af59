// A new version of a file, written beside it and moved over it only once it is complete.
#ifndef SETTINGS_REPLACEMENTFILE_H
#define SETTINGS_REPLACEMENTFILE_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>

/// Writes a temporary file in the target's folder; Commit moves it onto the target in one step,
/// and anything short of a commit removes it, so the target holds its old bytes or its new ones.
class ReplacementFile {
public:
  /// target is a host path that names no symbolic link.
  explicit ReplacementFile(const CString& target) noexcept : Target(target) {}
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  /// Removes the temporary file unless it was committed.
  ~ReplacementFile();

  /// Creates the temporary file under a name that no other file has.
  bool Create() noexcept;
  bool Write(const char* bytes, int length) noexcept;
  bool CopyPermissionsFrom(const CFile& original) noexcept { return File.CopyPermissionsFrom(original); }
  /// Makes the written bytes durable and moves them to the target; without replaceExisting it
  /// fails where the target exists. False leaves the target as it was.
  bool Commit(bool replaceExisting) noexcept;

private:
  void Discard() noexcept;

  CString Target;
  CString TempName;
  CFile File;
};

#endif
