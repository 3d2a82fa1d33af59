#include <zodavudaz/settings/JournalRecovery.h>

#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/platform/ProcessIdentity.h>
#include <zodavudaz/settings/JournalRecord.h>

namespace {
enum class Finding { None, Ignored, Applicable, Unreadable };

/// A journal that Find found, with what it holds.
struct FoundJournal {
  CString Path;
  CString Bytes;
  JournalHeader Header;
};

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

/// Reads the journal at found.Path whole where it is trusted.
bool ReadTrusted(FoundJournal& found, const FileStatus& file) noexcept {
  CFile journal;
  FileStatus status;
  if (!journal.Open(found.Path, CFile::modeRead) || !GetFileAccess().GetStatus(HandleOf(journal), status) ||
      !IsTrusted(status, file) || status.Size > 0x7FFFFFF0)
    return false;
  const int length = static_cast<int>(status.Size);
  char* buffer = found.Bytes.GetBuffer(length);
  const bool complete =
      buffer != nullptr && journal.Read(buffer, static_cast<UINT>(length)) == static_cast<UINT>(length);
  found.Bytes.ReleaseBuffer(complete ? length : 0);
  return complete;
}

Finding Find(CFile& file, FoundJournal& found) noexcept {
  FileCause cause = FileCause::None;
  if (!GetFileAccess().GetAttribute(HandleOf(file), JournalMarkName, found.Path, cause))
    return cause == FileCause::FileNotFound ? Finding::None : Finding::Unreadable;
  FileStatus status;
  if (!GetFileAccess().GetStatus(HandleOf(file), status))
    return Finding::Unreadable;
  return ReadTrusted(found, status) && JournalRecord::Decode(found.Bytes, found.Header) && Fits(found.Header, status)
             ? Finding::Applicable
             : Finding::Ignored;
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

bool JournalRecovery::RollBack(CFile& file) noexcept {
  FoundJournal found;
  switch (Find(file, found)) {
  case Finding::None:
  case Finding::Ignored: return true;
  case Finding::Applicable: return Apply(file, found);
  case Finding::Unreadable: break;
  }
  return false;
}

ProfileCause JournalRecovery::RollBackBeforeReading(CFile& file, LPCTSTR fileName, ProfileLock& lock) noexcept {
  // Another writer may have died in between; each round waits for the locks within the bound.
  for (bool first = true; first || lock.HasTimeLeft(); first = false) {
    FoundJournal found;
    const Finding finding = Find(file, found);
    if (finding == Finding::None || finding == Finding::Ignored)
      return ProfileCause::None;
    file.Close();
    if (finding == Finding::Unreadable)
      return ProfileCause::FileSystemFailure;
    CFile writable;
    if (!writable.Open(fileName, CFile::modeReadWrite) || !lock.LockForWriting(writable) || !RollBack(writable))
      return ProfileCause::Busy;
    writable.Close();
    if (!file.Open(fileName, CFile::modeRead) || !lock.LockForReading(file))
      return ProfileCause::Busy;
  }
  file.Close();
  return ProfileCause::Busy;
}
