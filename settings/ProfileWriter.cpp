#include <zodavudaz/settings/ProfileWriter.h>

#include <cstring>

namespace {
// Another writer may replace or create the file between our look and our lock; a few more looks
// settle it.
constexpr int AttemptCount = 8;

bool Holds(LPCTSTR text, const char* characters) noexcept { return std::strpbrk(text, characters) != nullptr; }

LPCTSTR SkipBlanks(LPCTSTR text) noexcept {
  while (*text == ' ' || *text == '\t')
    ++text;
  return text;
}

/// The line ends that must precede a section appended to image: the last line completed, then
/// the empty line that ends the section before. A file the engine wrote needs none.
LPCTSTR SeparatorBefore(const ProfileImage& image) noexcept {
  const int length = image.GetLength();
  const char* data = image.GetData();
  if (length == 0)
    return "";
  if (data[length - 1] != '\n')
    return "\r\n\r\n";
  int lastBegin = length - 1;
  while (lastBegin > 0 && data[lastBegin - 1] != '\n')
    --lastBegin;
  return image.LineAt(lastBegin).IsEmpty() ? "" : "\r\n";
}
} // namespace

ProfileWriter::ProfileWriter(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept
    : FileName(fileName), Section(section), Key(key), Value(value), HeaderLine(CString("[") + section + "]\r\n"),
      KeyLines(CString(key) + "=" + value + "\r\n\r\n") {}

bool ProfileWriter::CanStore(LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept {
  return !Holds(section, "]\r\n") && *key != '\0' && !Holds(key, "=\r\n") && *SkipBlanks(key) != '[' &&
         !Holds(value, "\r\n");
}

bool ProfileWriter::Write() noexcept {
  // An empty line text means it could not be allocated.
  if (!CanStore(Section, Key, Value) || HeaderLine.IsEmpty() || KeyLines.IsEmpty())
    return false;
  // Writing through a symbolic link replaces the file it names, never the link.
  const CString path = CFile::ResolveLinks(FileName);
  for (int attempt = 0; attempt < AttemptCount; ++attempt) {
    const Outcome outcome = WriteOnce(path);
    if (outcome != Outcome::TryAgain)
      return outcome == Outcome::Written;
  }
  return false;
}

ProfileWriter::Outcome ProfileWriter::WriteOnce(const CString& path) noexcept {
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeReadWrite | CFile::shareExclusive, &error))
    return error.Cause == FileCause::FileNotFound ? CreateProfile(path) : Outcome::Failed;
  // A writer that replaced the file while we waited for it leaves us holding the old one.
  if (!file.IsStillAt(path))
    return Outcome::TryAgain;
  ProfileImage image;
  if (!image.ReadFrom(file))
    return Outcome::Failed;
  ProfileSection section{};
  const bool written =
      image.FindSection(Section, section) ? RewriteSection(file, path, image, section) : AppendSection(file, image);
  return written ? Outcome::Written : Outcome::Failed;
}

ProfileWriter::Outcome ProfileWriter::CreateProfile(const CString& path) noexcept {
  ReplacementFile created(path);
  if (!created.Create())
    return Outcome::Failed;
  if (!created.Write(HeaderLine, HeaderLine.GetLength()) || !created.Write(KeyLines, KeyLines.GetLength()))
    return Outcome::Failed;
  // Where another writer created the file meanwhile, its content is read and kept.
  return created.Commit(false) ? Outcome::Written : Outcome::TryAgain;
}

bool ProfileWriter::AppendSection(CFile& file, const ProfileImage& image) noexcept {
  const DWORD oldLength = static_cast<DWORD>(image.GetLength());
  if (file.Seek(0, CFile::end) != static_cast<LONG>(oldLength))
    return false;
  const CString appended = SeparatorBefore(image) + HeaderLine + KeyLines;
  if (file.Write(appended, static_cast<UINT>(appended.GetLength())) && file.Flush())
    return true;
  // A part of a section would read as damaged settings; the file goes back to what it was.
  file.SetLength(oldLength);
  file.Flush();
  return false;
}

bool ProfileWriter::RewriteSection(CFile& file, const CString& path, const ProfileImage& image,
                                   const ProfileSection& section) noexcept {
  ReplacementFile replacement(path);
  if (!replacement.Create() || !replacement.CopyPermissionsFrom(file))
    return false;
  if (!WriteHeadAndKey(replacement, image, section))
    return false;
  if (!replacement.Write(image.GetData() + section.End, image.GetLength() - section.End))
    return false;
  return replacement.Commit(true);
}

bool ProfileWriter::WriteHeadAndKey(ReplacementFile& target, const ProfileImage& image,
                                    const ProfileSection& section) noexcept {
  const char* data = image.GetData();
  const int keyLength = static_cast<int>(std::strlen(Key));
  int keptBegin = 0;
  for (int begin = section.Header.End; begin < section.BodyEnd;) {
    const ProfileLine line = image.LineAt(begin);
    if (image.IsKeyLine(line, Key, keyLength)) {
      if (!target.Write(data + keptBegin, line.Begin - keptBegin))
        return false;
      keptBegin = line.End;
    }
    begin = line.End;
  }
  if (!target.Write(data + keptBegin, section.BodyEnd - keptBegin))
    return false;
  // The header or the last kept line may be the file's last line, without a line end of its own.
  const int keptEnd = section.BodyEnd;
  if (keptEnd > keptBegin && data[keptEnd - 1] != '\n' && !target.Write("\r\n", 2))
    return false;
  return target.Write(KeyLines, KeyLines.GetLength());
}
