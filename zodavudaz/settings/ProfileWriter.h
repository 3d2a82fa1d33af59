// One key written into a settings file without ever leaving the file half written.
#ifndef ZODAVUDAZ_SETTINGS_PROFILEWRITER_H
#define ZODAVUDAZ_SETTINGS_PROFILEWRITER_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileImage.h>
#include <zodavudaz/settings/ProfileLock.h>

/// Writes key=value into section of fileName under the file's writing lock. The new version
/// replaces the file whole through a temporary file beside it (ReplacementFile); where a
/// replacement would change what the file is or cannot take its place (a folder that takes no new
/// file, an owner, group or attribute the writer cannot give, more than one name, a file bound in
/// its place), the changed bytes are written in place under a rollback journal (RollbackJournal)
/// and put back if that fails; where the folder takes no new file, without one (GetNotice says
/// so). A missing file is first created empty, which reads like a missing one, and removed again
/// where the write fails.
class ProfileWriter {
public:
  ProfileWriter(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept;

  /// True when the file now holds the key; false, with the file as it was, otherwise.
  bool Write() noexcept;
  /// After a true Write: None, or the notice of how it went (StaleJournal, UnprotectedWrite).
  ProfileCause GetNotice() const noexcept { return Notice; }

  /// Whether the format can hold the names: they must not end a line or a section early, or
  /// read back as another key or header.
  static bool CanStore(LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept;

private:
  enum class Outcome { Written, Failed, TryAgain, NotReplaceable };

  Outcome WriteOnce(const CString& path, ProfileLock& lock) noexcept;
  /// Under the writer's lock: puts back what a killed in-place writer left, then writes.
  Outcome RecoverAndWrite(CFile& file, const CString& path) noexcept;
  /// Opens the file for reading and writing, creating it empty where it is missing.
  Outcome OpenOrCreate(CFile& file, const CString& path, bool& created) noexcept;
  Outcome WriteImage(CFile& file, const CString& path, const ProfileImage& image) noexcept;
  /// The new bytes from from on, where the old ones start to differ; they end with the old bytes
  /// from copyFrom on.
  bool BuildTail(const ProfileImage& image, int& from, int& copyFrom, CString& tail) noexcept;
  /// Appends to tail the section from its header without the key's lines, then the key's lines;
  /// how many bytes that should have appended.
  int AppendRewrittenSection(const ProfileImage& image, const ProfileSection& section, CString& tail) noexcept;
  Outcome Replace(const CFile& file, const CString& path, const FileStatus& status, const ProfileImage& image, int from,
                  const CString& tail) noexcept;
  Outcome RewriteInPlace(CFile& file, const CString& path, const FileStatus& status, const ProfileImage& image,
                         int from, int copyFrom, const CString& tail) noexcept;

  LPCTSTR FileName;
  LPCTSTR Section;
  LPCTSTR Key;
  LPCTSTR Value;
  /// "[" section "]" CR LF.
  CString HeaderLine;
  /// key "=" value CR LF, and the empty line that ends the section.
  CString KeyLines;
  ProfileCause Notice = ProfileCause::None;
};

#endif
