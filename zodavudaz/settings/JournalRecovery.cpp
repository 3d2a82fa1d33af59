#include <zodavudaz/settings/JournalRecovery.h>

#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/platform/ProcessIdentity.h>
#include <zodavudaz/settings/JournalRecord.h>
#include <zodavudaz/settings/WriterFiles.h>

#include <cctype>
#include <cstring>

namespace {
/// What the mark on a file leads to.
enum class MarkState { None, Stale, Applicable, Unreadable };

// What the fixed journal name adds to the settings file's name: ".~", 16 digits, ".journal".
constexpr int FixedJournalTail = 26;
constexpr int TagLength = 16;

/// A journal that Find found, with what it holds. Path is set once the journal is one that a
/// writer made for the file and that the caller trusts.
struct FoundJournal {
  CString Path;
  CString Bytes;
  JournalHeader Header;
};

bool IsTag(const CString& tag) noexcept {
  if (tag.IsEmpty())
    return true;
  if (tag.GetLength() != TagLength)
    return false;
  for (int index = 0; index < TagLength; ++index)
    if (!std::isxdigit(static_cast<unsigned char>(tag[index])) || std::islower(static_cast<unsigned char>(tag[index])))
      return false;
  return true;
}

/// The journal that mark names, where it lies beside a name of file, reached through no link,
/// under a name that a writer makes for that name; empty otherwise. A mark of the earlier format
/// holds the journal's path alone, under the fixed name.
CString JournalPathOf(const CFile& file, const CString& mark) noexcept {
  const int zero = mark.Find('\0');
  const bool earlier = zero < 0;
  if (earlier && mark.GetLength() <= FixedJournalTail)
    return CString();
  const CString path = earlier ? mark.Left(mark.GetLength() - FixedJournalTail) : mark.Left(zero);
  const CString tag = earlier ? CString() : mark.Mid(zero + 1);
  if (path.IsEmpty() || path[0] != '/' || !IsTag(tag) || CFile::ResolveLinks(path) != path || !file.IsStillAt(path))
    return CString();
  const CString journal = JournalNameFor(path, tag);
  return earlier && journal != mark ? CString() : journal;
}

bool IsTrusted(const FileStatus& journal, const FileStatus& file) noexcept {
  const bool trustedOwner = journal.Owner == GetEffectiveUserId() || journal.Owner == file.Owner || journal.Owner == 0;
  return trustedOwner && (journal.Mode & 0777u & ~file.Mode) == 0;
}

/// Whether header names the file, at a length that a write between its old and new length may
/// have left.
bool Fits(const JournalHeader& header, const FileStatus& file) noexcept {
  const auto size = static_cast<std::uint64_t>(file.Size);
  const std::uint64_t shortest = header.OldSize < header.NewSize ? header.OldSize : header.NewSize;
  const std::uint64_t longest = header.OldSize < header.NewSize ? header.NewSize : header.OldSize;
  return header.Device == file.Device && header.Inode == file.Inode && size >= shortest && size <= longest;
}

/// Reads count bytes of file from position into bytes; false where it cannot.
bool ReadBytes(CFile& file, LONG position, int count, CString& bytes) noexcept {
  char* buffer = bytes.GetBuffer(count);
  const bool complete = buffer != nullptr && file.Seek(position, CFile::begin) == position &&
                        (count == 0 || file.Read(buffer, static_cast<UINT>(count)) == static_cast<UINT>(count));
  bytes.ReleaseBuffer(complete ? count : 0);
  return complete;
}

/// Opens the journal at path where it is a regular file that the caller trusts (setting
/// found.Path), reads its header, and where the length it gives is the journal's and it names the
/// file, the whole journal.
bool ReadTrusted(const CString& path, const FileStatus& file, FoundJournal& found) noexcept {
  CFile journal;
  FileStatus status;
  if (!journal.Open(path, CFile::modeRead | FileAccess::NoFinalLink) ||
      !GetFileAccess().GetStatus(HandleOf(journal), status) || !IsTrusted(status, file))
    return false;
  found.Path = path;
  CString head;
  if (!ReadBytes(journal, 0, JournalRecord::HeaderLength, head) ||
      JournalRecord::DecodeHeader(head, head.GetLength(), found.Header) != JournalFormat::Current ||
      JournalRecord::LengthOf(found.Header) != static_cast<std::uint64_t>(status.Size) || status.Size > 0x7FFFFFF0 ||
      !Fits(found.Header, file))
    return false;
  return ReadBytes(journal, 0, static_cast<int>(status.Size), found.Bytes) &&
         JournalRecord::Decode(found.Bytes, found.Header);
}

/// Whether the file holds, from where the write began, only bytes the write may have left.
bool FileStillAsLeft(CFile& file, const FileStatus& status, const FoundJournal& found) noexcept {
  const auto from = static_cast<LONG>(found.Header.From);
  CString held;
  return ReadBytes(file, from, static_cast<int>(status.Size - from), held) &&
         JournalRecord::StillAsLeft(found.Bytes, found.Header, held, static_cast<std::uint64_t>(status.Size));
}

MarkState Find(CFile& file, FoundJournal& found) noexcept {
  CString mark;
  FileCause cause = FileCause::None;
  if (!GetFileAccess().GetAttribute(HandleOf(file), JournalMarkName, mark, cause))
    return cause == FileCause::FileNotFound ? MarkState::None : MarkState::Unreadable;
  FileStatus status;
  if (!GetFileAccess().GetStatus(HandleOf(file), status))
    return MarkState::Unreadable;
  const CString path = JournalPathOf(file, mark);
  return !path.IsEmpty() && ReadTrusted(path, status, found) && FileStillAsLeft(file, status, found)
             ? MarkState::Applicable
             : MarkState::Stale;
}

bool Apply(CFile& file, const FoundJournal& found) noexcept {
  const auto from = static_cast<LONG>(found.Header.From);
  const auto oldSize = static_cast<DWORD>(found.Header.OldSize);
  const auto length = static_cast<UINT>(oldSize - static_cast<DWORD>(from));
  const bool restored =
      file.Seek(from, CFile::begin) == from &&
      (length == 0 || file.Write(static_cast<LPCTSTR>(found.Bytes) + JournalRecord::HeaderLength, length)) &&
      file.SetLength(oldSize) && file.Flush();
  // The mark goes only once the old bytes are durable; the journal after it.
  if (!restored || !GetFileAccess().RemoveAttribute(HandleOf(file), JournalMarkName) || !file.Flush())
    return false;
  CFile::Remove(found.Path);
  return true;
}
} // namespace

JournalRecovery::Finding JournalRecovery::RollBack(CFile& file, CString& staleJournal) noexcept {
  FoundJournal found;
  switch (Find(file, found)) {
  case MarkState::None: return Finding::Clean;
  case MarkState::Stale: staleJournal = found.Path; return Finding::Stale;
  case MarkState::Applicable: return Apply(file, found) ? Finding::Clean : Finding::Failed;
  case MarkState::Unreadable: break;
  }
  return Finding::Failed;
}

void JournalRecovery::ForgetStale(CFile& file, const CString& staleJournal) noexcept {
  GetFileAccess().RemoveAttribute(HandleOf(file), JournalMarkName);
  if (!staleJournal.IsEmpty())
    CFile::Remove(staleJournal);
}

ProfileCause JournalRecovery::RollBackBeforeReading(CFile& file, LPCTSTR fileName, ProfileLock& lock) noexcept {
  // Another writer may have died in between; each round waits for the locks within the bound.
  for (bool first = true; first || lock.HasTimeLeft(); first = false) {
    FoundJournal found;
    const MarkState finding = Find(file, found);
    if (finding == MarkState::None)
      return ProfileCause::None;
    if (finding == MarkState::Stale)
      return ProfileCause::StaleJournal;
    file.Close();
    if (finding == MarkState::Unreadable)
      return ProfileCause::FileSystemFailure;
    CFile writable;
    CString stale;
    if (!writable.Open(fileName, CFile::modeReadWrite) || !lock.LockForWriting(writable) ||
        RollBack(writable, stale) == Finding::Failed)
      return ProfileCause::Busy;
    writable.Close();
    if (!file.Open(fileName, CFile::modeRead) || !lock.LockForReading(file))
      return ProfileCause::Busy;
  }
  file.Close();
  return ProfileCause::Busy;
}
