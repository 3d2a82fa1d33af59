// A settings file held whole in memory, with the section and key look-ups of the profile format.
#ifndef ZODAVUDAZ_SETTINGS_PROFILEIMAGE_H
#define ZODAVUDAZ_SETTINGS_PROFILEIMAGE_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/settings/HeaderSearch.h>
#include <zodavudaz/settings/ProfileCause.h>

/// One line of an image: its text, and its end after the line end (CR LF or LF, or a CR that ends
/// the image) if it has one.
struct ProfileLine {
  int Begin;
  /// Where the line end starts; End for a last line without one.
  int TextEnd;
  int End;

  bool HasLineEnd() const noexcept { return TextEnd < End; }
  /// A line of nothing but its line end.
  bool IsEmpty() const noexcept { return TextEnd == Begin && HasLineEnd(); }
  /// Whether the line ends with CR LF rather than LF alone.
  bool EndsWithCrLf() const noexcept { return End - TextEnd == 2; }
};

/// Where a section lies. Its body holds the lines after the header line up to its empty line,
/// the next header line or the end of the image, whichever comes first. The empty line is CR LF
/// alone (or a CR alone that ends the image); in a section whose header line ends with LF alone,
/// an LF alone is one too.
struct ProfileSection {
  ProfileLine Header;
  int BodyEnd;
  /// After the section's empty line; BodyEnd when the section has none.
  int End;
};

/// The bytes of a settings file. Offsets are byte positions; the bytes may hold zeros.
class ProfileImage {
public:
  /// Reads the whole of the open file from its start; false (and an empty image) on failure.
  bool ReadFrom(CFile& file) noexcept { return ReadWhole(file, Bytes); }
  /// Reads the whole of the open file from its start into bytes; false (and empty bytes) on
  /// failure.
  static bool ReadWhole(CFile& file, CString& bytes) noexcept;

  const char* GetData() const noexcept { return Bytes; }
  /// The bytes, for a reader that fills them whole.
  CString& GetBytes() noexcept { return Bytes; }
  int GetLength() const noexcept { return Bytes.GetLength(); }

  /// The line that starts at begin (begin below GetLength()).
  ProfileLine LineAt(int begin) const noexcept;
  /// A search of this image for the lines that begin with a header or the start of one, for
  /// callers that search again and again; header holds no line feed.
  HeaderSearch SearchFor(const CString& header) const noexcept;
  /// The position, at or after from, of the next occurrence of what search looks for that begins
  /// a line (after blanks and, on the first line, a UTF-8 byte-order mark); -1 when there is none.
  int FindHeader(const HeaderSearch& search, int from) const noexcept;
  /// Whether nothing but blanks stands between position and the end of its line.
  bool EndsLine(int position) const noexcept;
  /// Whether line is a section header: "[" name "]" with nothing but blanks before and after it
  /// (and, on the first line, a UTF-8 byte-order mark before it); name, where given, is set to
  /// the section's name, which may hold "[" and "]".
  bool IsHeaderLine(const ProfileLine& line, CString* name = nullptr) const noexcept;
  /// The section whose header line begins at headerBegin.
  ProfileSection SectionAt(int headerBegin) const noexcept;
  /// The first section whose header line (IsHeaderLine) names section.
  bool FindSection(LPCTSTR section, ProfileSection& found) const noexcept;
  /// Whether line is a key line of key: its name, the text before its first "=" (empty for a line
  /// without one), equals key, which holds no "=".
  bool IsKeyLine(const ProfileLine& line, LPCTSTR key, int keyLength) const noexcept;
  /// The value of the first key line of key in the section's body, the text after the first
  /// (length of key + 1) characters; false when there is none.
  bool FindValue(const ProfileSection& section, LPCTSTR key, CString& value) const noexcept;
  /// FindSection, then FindValue: None, or MissingSection or MissingKey with value empty.
  ProfileCause GetString(LPCTSTR section, LPCTSTR key, CString& value) const noexcept;

private:
  bool HasByteOrderMark() const noexcept;
  /// Whether line ends with CR LF, or with the CR alone that ends the image.
  bool EndsWithReturn(const ProfileLine& line) const noexcept;

  CString Bytes;
};

#endif
