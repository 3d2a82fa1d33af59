// A new version of a file, written beside it and moved over it only once it is complete.
#ifndef ZODAVUDAZ_SETTINGS_REPLACEMENTFILE_H
#define ZODAVUDAZ_SETTINGS_REPLACEMENTFILE_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/settings/WriteStep.h>

/// Writes a temporary file (TemporaryNameFor, CreateWriterFile) in the target's folder, readable by
/// its creator alone until it is complete; Commit gives it what the original is (owner and group,
/// extended attributes, then permissions), moves it onto the target in one step and makes the move
/// durable. Anything short of a move removes it, so the target holds its old bytes or its new ones.
class ReplacementFile {
public:
  /// target is an absolute host path that names no symbolic link; original is open on it, and
  /// status is what the host tells of it.
  ReplacementFile(const CString& target, const CFile& original, const FileStatus& status) noexcept;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  /// Removes the temporary file unless it was committed.
  ~ReplacementFile();

  /// Creates the temporary file with the original's owner and group. Refused where the folder
  /// takes no new file or the writer may not give it that owner or group.
  WriteStep Create() noexcept;
  bool Write(const char* bytes, int length) noexcept;
  /// Gives the written file the original's attributes and permissions, makes it durable, moves it
  /// onto the target and syncs the folder. Refused where the writer may not set an attribute or the
  /// target cannot be replaced (a file bound in its place, say); the target is as it was unless
  /// Done, or Failed by the folder's sync after the move (the new bytes in place, perhaps not
  /// durable).
  WriteStep Commit() noexcept;

private:
  void Discard() noexcept;

  CString Target;
  const CFile& Original;
  FileStatus Status;
  CString TempName;
  CFile File;
};

#endif
