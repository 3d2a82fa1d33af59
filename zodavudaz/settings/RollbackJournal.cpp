#include <zodavudaz/settings/RollbackJournal.h>

#include <zodavudaz/platform/ProcessIdentity.h>
#include <zodavudaz/settings/ByteHash.h>
#include <zodavudaz/settings/JournalRecord.h>
#include <zodavudaz/settings/WriterFiles.h>

RollbackJournal::RollbackJournal(CFile& file, const CString& path, const FileStatus& status) noexcept
    : File(file), Path(path), Status(status) {}

WriteStep RollbackJournal::Begin(const char* oldBytes, int from, int oldSize, int newSize) noexcept {
  JournalPath = JournalNameFor(Path);
  const WriteStep created = JournalPath.IsEmpty() ? WriteStep::Failed : CreateWriterFile(Journal, JournalPath);
  if (created != WriteStep::Done) {
    JournalPath.Empty();
    return created;
  }
  const WriteStep marked = Fill(oldBytes, from, oldSize, newSize) ? Mark() : WriteStep::Failed;
  Journal.Close();
  return marked;
}

bool RollbackJournal::Fill(const char* oldBytes, int from, int oldSize, int newSize) noexcept {
  const CString header =
      JournalRecord::EncodeHeader(JournalHeader{Status.Device, Status.Inode, static_cast<std::uint64_t>(oldSize),
                                                static_cast<std::uint64_t>(from), static_cast<std::uint64_t>(newSize)});
  ByteHash hash;
  hash.Add(header, header.GetLength());
  hash.Add(oldBytes, oldSize - from);
  const CString checksum = JournalRecord::EncodeChecksum(hash.GetValue());
  return header.GetLength() == JournalRecord::HeaderLength && checksum.GetLength() == JournalRecord::ChecksumLength &&
         Journal.Write(header, static_cast<UINT>(header.GetLength())) &&
         (oldSize == from || Journal.Write(oldBytes, static_cast<UINT>(oldSize - from))) &&
         Journal.Write(checksum, static_cast<UINT>(checksum.GetLength())) && MatchPermissions() && Journal.Flush() &&
         GetFileAccess().SyncFolder(JournalPath);
}

bool RollbackJournal::MatchPermissions() noexcept {
  // The group's readers of the file may roll it back too; a group the writer is not in stays.
  GetFileAccess().SetOwner(HandleOf(Journal), GetEffectiveUserId(), Status.Group);
  return GetFileAccess().SetMode(HandleOf(Journal), Status.Mode & 0644u);
}

WriteStep RollbackJournal::Mark() noexcept {
  FileCause cause = FileCause::None;
  if (!GetFileAccess().SetAttribute(HandleOf(File), JournalMarkName, JournalPath, cause))
    return cause == FileCause::AccessDenied ? WriteStep::Refused : WriteStep::Failed;
  // The mark must be durable before the first overwritten byte is.
  if (File.Flush()) {
    Marked = true;
    return WriteStep::Done;
  }
  GetFileAccess().RemoveAttribute(HandleOf(File), JournalMarkName);
  return WriteStep::Failed;
}

RollbackJournal::~RollbackJournal() {
  // A journal without its mark is never read; with it, it stays for the next caller.
  if (!Marked && !JournalPath.IsEmpty())
    CFile::Remove(JournalPath);
}

bool RollbackJournal::End() noexcept {
  if (!Marked)
    return true;
  if (!GetFileAccess().RemoveAttribute(HandleOf(File), JournalMarkName))
    return false;
  Marked = false;
  return File.Flush();
}
