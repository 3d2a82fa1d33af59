#include <zodavudaz/settings/ProfileWriter.h>

#include <zodavudaz/settings/JournalRecovery.h>
#include <zodavudaz/settings/ProfileCauseSetter.h>
#include <zodavudaz/settings/ReplacementFile.h>
#include <zodavudaz/settings/RollbackJournal.h>

#include <cstring>

namespace {
bool Holds(LPCTSTR text, const char* characters) noexcept { return std::strpbrk(text, characters) != nullptr; }

LPCTSTR SkipBlanks(LPCTSTR text) noexcept {
  while (*text == ' ' || *text == '\t')
    ++text;
  return text;
}

/// The line ends that must precede a section appended to image: the last line completed (a CR
/// alone at the end needs its LF), then the empty line that ends the section before. A file the
/// engine wrote needs none.
LPCTSTR SeparatorBefore(const ProfileImage& image) noexcept {
  const int length = image.GetLength();
  const char* data = image.GetData();
  if (length == 0)
    return "";
  const char last = data[length - 1];
  if (last != '\n' && last != '\r')
    return "\r\n\r\n";
  int lastBegin = length - 1;
  while (lastBegin > 0 && data[lastBegin - 1] != '\n')
    --lastBegin;
  const bool lastIsEmpty = image.LineAt(lastBegin).IsEmpty();
  if (last == '\r')
    return lastIsEmpty ? "\n" : "\n\r\n";
  return lastIsEmpty ? "" : "\r\n";
}

/// Makes file newLength bytes long, the bytes from from on those of bytes, durably.
bool OverwriteFrom(CFile& file, int from, const char* bytes, int newLength) noexcept {
  return file.Seek(from, CFile::begin) == from &&
         (newLength == from || file.Write(bytes, static_cast<UINT>(newLength - from))) &&
         file.SetLength(static_cast<DWORD>(newLength)) && file.Flush();
}
} // namespace

ProfileWriter::ProfileWriter(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept
    : FileName(fileName), Section(section), Key(key), Value(value), HeaderLine(CString("[") + section + "]\r\n"),
      KeyLines(CString(key) + "=" + value + "\r\n\r\n") {}

bool ProfileWriter::CanStore(LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept {
  return !Holds(section, "\r\n") && *key != '\0' && !Holds(key, "=\r\n") && *SkipBlanks(key) != '[' &&
         !Holds(value, "\r\n");
}

bool ProfileWriter::Write() noexcept {
  // An empty line text means it could not be allocated.
  if (!CanStore(Section, Key, Value) || HeaderLine.IsEmpty() || KeyLines.IsEmpty())
    return false;
  // Writing through a symbolic link writes the file it names, never the link.
  const CString path = CFile::ResolveLinks(FileName);
  if (path.IsEmpty())
    return false;
  ProfileLock lock(FileName);
  do {
    const Outcome outcome = WriteOnce(path, lock);
    if (outcome != Outcome::TryAgain)
      return outcome == Outcome::Written;
  } while (lock.HasTimeLeft());
  SetLastProfileCause(ProfileCause::Busy);
  return false;
}

ProfileWriter::Outcome ProfileWriter::WriteOnce(const CString& path, ProfileLock& lock) noexcept {
  CFile file;
  bool created = false;
  const Outcome opened = OpenOrCreate(file, path, created);
  if (opened != Outcome::Written)
    return opened;
  if (!lock.LockForWriting(file)) {
    SetLastProfileCause(ProfileCause::Busy);
    return Outcome::Failed;
  }
  // A writer that replaced or removed the file while we waited leaves us holding an old one.
  if (!file.IsStillAt(path))
    return Outcome::TryAgain;
  const Outcome outcome = RecoverAndWrite(file, path);
  // A file that this call created and could not fill goes again; waiting writers open anew.
  if (outcome != Outcome::Written && created)
    CFile::Remove(path);
  return outcome;
}

ProfileWriter::Outcome ProfileWriter::RecoverAndWrite(CFile& file, const CString& path) noexcept {
  // A writer killed during an in-place write left the old bytes to put back first.
  CString staleJournal;
  const JournalRecovery::Finding found = JournalRecovery::RollBack(file, staleJournal);
  if (found == JournalRecovery::Finding::Failed)
    return Outcome::Failed;
  Notice = ProfileCause::None;
  ProfileImage image;
  const Outcome outcome = image.ReadFrom(file) ? WriteImage(file, path, image) : Outcome::Failed;
  // A journal that cannot be applied now never will be once the file holds a new version.
  if (outcome == Outcome::Written && found == JournalRecovery::Finding::Stale) {
    JournalRecovery::ForgetStale(file, staleJournal);
    if (Notice == ProfileCause::None)
      Notice = ProfileCause::StaleJournal;
  }
  return outcome;
}

ProfileWriter::Outcome ProfileWriter::OpenOrCreate(CFile& file, const CString& path, bool& created) noexcept {
  CFileException error;
  // A link planted after the path was resolved is not followed.
  if (file.Open(path, CFile::modeReadWrite | FileAccess::NoFinalLink, &error))
    return Outcome::Written;
  if (error.Cause != FileCause::FileNotFound)
    return Outcome::Failed;
  if (file.Open(path, CFile::modeCreateNew | CFile::modeReadWrite, &error)) {
    created = true;
    return Outcome::Written;
  }
  // Another writer created it in between.
  return error.Cause == FileCause::Generic ? Outcome::TryAgain : Outcome::Failed;
}

ProfileWriter::Outcome ProfileWriter::WriteImage(CFile& file, const CString& path, const ProfileImage& image) noexcept {
  int from = 0;
  int copyFrom = 0;
  CString tail;
  if (!BuildTail(image, from, copyFrom, tail))
    return Outcome::Failed;
  FileStatus status;
  if (!GetFileAccess().GetStatus(HandleOf(file), status))
    return Outcome::Failed;
  // A second name would keep the old bytes after a replacement.
  if (status.LinkCount == 1) {
    const Outcome replaced = Replace(file, path, status, image, from, tail);
    if (replaced != Outcome::NotReplaceable)
      return replaced;
  }
  return RewriteInPlace(file, path, status, image, from, copyFrom, tail);
}

bool ProfileWriter::BuildTail(const ProfileImage& image, int& from, int& copyFrom, CString& tail) noexcept {
  ProfileSection section{};
  if (image.FindSection(Section, section)) {
    from = section.Header.Begin;
    copyFrom = section.End;
    const int meant = AppendRewrittenSection(image, section, tail) + image.GetLength() - section.End;
    tail.Append(image.GetData() + section.End, image.GetLength() - section.End);
    // Text that could not grow stays short.
    return tail.GetLength() == meant;
  }
  from = image.GetLength();
  copyFrom = from;
  const LPCTSTR separator = SeparatorBefore(image);
  tail = separator + HeaderLine + KeyLines;
  return tail.GetLength() == static_cast<int>(std::strlen(separator)) + HeaderLine.GetLength() + KeyLines.GetLength();
}

int ProfileWriter::AppendRewrittenSection(const ProfileImage& image, const ProfileSection& section,
                                          CString& tail) noexcept {
  const char* data = image.GetData();
  const int keyLength = static_cast<int>(std::strlen(Key));
  int keptBegin = section.Header.Begin;
  int meant = 0;
  for (int begin = section.Header.End; begin < section.BodyEnd;) {
    const ProfileLine line = image.LineAt(begin);
    if (image.IsKeyLine(line, Key, keyLength)) {
      tail.Append(data + keptBegin, line.Begin - keptBegin);
      meant += line.Begin - keptBegin;
      keptBegin = line.End;
    }
    begin = line.End;
  }
  tail.Append(data + keptBegin, section.BodyEnd - keptBegin);
  meant += section.BodyEnd - keptBegin;
  // The header or the last kept line may be the file's last line, without a line end of its own
  // or with a CR alone.
  if (section.BodyEnd > keptBegin && data[section.BodyEnd - 1] != '\n') {
    const LPCTSTR lineEnd = data[section.BodyEnd - 1] == '\r' ? "\n" : "\r\n";
    tail += lineEnd;
    meant += static_cast<int>(std::strlen(lineEnd));
  }
  tail += KeyLines;
  return meant + KeyLines.GetLength();
}

ProfileWriter::Outcome ProfileWriter::Replace(const CFile& file, const CString& path, const FileStatus& status,
                                              const ProfileImage& image, int from, const CString& tail) noexcept {
  ReplacementFile replacement(path, file, status);
  WriteStep step = replacement.Create();
  if (step == WriteStep::Done)
    step = replacement.Write(image.GetData(), from) && replacement.Write(tail, tail.GetLength()) ? replacement.Commit()
                                                                                                 : WriteStep::Failed;
  return step == WriteStep::Done      ? Outcome::Written
         : step == WriteStep::Refused ? Outcome::NotReplaceable
                                      : Outcome::Failed;
}

ProfileWriter::Outcome ProfileWriter::RewriteInPlace(CFile& file, const CString& path, const FileStatus& status,
                                                     const ProfileImage& image, int from, int copyFrom,
                                                     const CString& tail) noexcept {
  const int oldSize = image.GetLength();
  const int newSize = from + tail.GetLength();
  RollbackJournal journal(file, path, status);
  const InPlaceChange change{from, tail, newSize - from - (oldSize - copyFrom), copyFrom};
  const WriteStep begun = journal.Begin(image.GetData(), oldSize, change);
  if (begun == WriteStep::Failed)
    return Outcome::Failed;
  // No journal can be kept here (a folder that takes no new file): the write goes on, and says so.
  if (begun == WriteStep::Refused)
    Notice = ProfileCause::UnprotectedWrite;
  if (OverwriteFrom(file, from, tail, newSize) && journal.End())
    return Outcome::Written;
  // The old bytes go back as far as the file lets them; where they cannot, the journal stays for
  // the next caller to put them back.
  if (OverwriteFrom(file, from, image.GetData() + from, oldSize))
    journal.End();
  return Outcome::Failed;
}
