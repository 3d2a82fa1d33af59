// One key written into a settings file without ever leaving the file half written.
#ifndef SETTINGS_PROFILEWRITER_H
#define SETTINGS_PROFILEWRITER_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/settings/ProfileImage.h>
#include <zodavudaz/settings/ReplacementFile.h>

/// Writes key=value into section of fileName. A rewritten section goes through a replacement
/// file; a new section is appended in place and cut off again if the append fails; a new file
/// appears whole or not at all.
class ProfileWriter {
public:
  ProfileWriter(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept;

  /// True when the file now holds the key; false, with the file as it was, otherwise.
  bool Write() noexcept;

  /// Whether the format can hold the names: they must not end a line or a section early, or
  /// read back as another key or header.
  static bool CanStore(LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept;

private:
  enum class Outcome { Written, Failed, TryAgain };

  Outcome WriteOnce(const CString& path) noexcept;
  Outcome CreateProfile(const CString& path) noexcept;
  bool AppendSection(CFile& file, const ProfileImage& image) noexcept;
  bool RewriteSection(CFile& file, const CString& path, const ProfileImage& image,
                      const ProfileSection& section) noexcept;
  /// Writes everything up to the section's end without the key's lines, then the key's lines.
  bool WriteHeadAndKey(ReplacementFile& target, const ProfileImage& image, const ProfileSection& section) noexcept;

  LPCTSTR FileName;
  LPCTSTR Section;
  LPCTSTR Key;
  LPCTSTR Value;
  /// "[" section "]" CR LF.
  CString HeaderLine;
  /// key "=" value CR LF, and the empty line that ends the section.
  CString KeyLines;
};

#endif
