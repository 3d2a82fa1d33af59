#include <zodavudaz/settings/RollbackJournal.h>

#include <zodavudaz/platform/ProcessIdentity.h>
#include <zodavudaz/settings/ByteHash.h>
#include <zodavudaz/settings/JournalRecord.h>
#include <zodavudaz/settings/WriterFiles.h>

RollbackJournal::RollbackJournal(CFile& file, const CString& path, const FileStatus& status) noexcept
    : File(file), Path(path), Status(status) {}

WriteStep RollbackJournal::Begin(const char* oldBytes, int oldSize, const InPlaceChange& change) noexcept {
  CString tag;
  const WriteStep created = CreateWriterFile(Journal, Path, WriterFile::Journal, JournalPath, tag);
  if (created != WriteStep::Done)
    return created;
  const WriteStep marked = Fill(oldBytes, oldSize, change) ? Mark(tag) : WriteStep::Failed;
  Journal.Close();
  return marked;
}

bool RollbackJournal::Fill(const char* oldBytes, int oldSize, const InPlaceChange& change) noexcept {
  const int newSize = change.From + change.LiteralLength + oldSize - change.CopyFrom;
  const CString header = JournalRecord::EncodeHeader(JournalHeader{
      Status.Device, Status.Inode, static_cast<std::uint64_t>(oldSize), static_cast<std::uint64_t>(change.From),
      static_cast<std::uint64_t>(newSize), static_cast<std::uint64_t>(change.CopyFrom)});
  const char* old = oldBytes + change.From;
  const int oldLength = oldSize - change.From;
  ByteHash hash;
  hash.Add(header, header.GetLength());
  hash.Add(old, oldLength);
  hash.Add(change.Literal, change.LiteralLength);
  const CString checksum = JournalRecord::EncodeChecksum(hash.GetValue());
  const auto write = [this](const char* bytes, int length) {
    return length == 0 || Journal.Write(bytes, static_cast<UINT>(length));
  };
  // The journal and its name are durable before the mark, and so before the first byte changes.
  return header.GetLength() == JournalRecord::HeaderLength && checksum.GetLength() == JournalRecord::ChecksumLength &&
         write(header, header.GetLength()) && write(old, oldLength) && write(change.Literal, change.LiteralLength) &&
         write(checksum, checksum.GetLength()) && MatchPermissions() && Journal.Flush() &&
         GetFileAccess().SyncFolder(JournalPath);
}

bool RollbackJournal::MatchPermissions() noexcept {
  // The group's readers of the file may roll it back too; a group the writer is not in stays.
  GetFileAccess().SetOwner(HandleOf(Journal), GetEffectiveUserId(), Status.Group);
  return GetFileAccess().SetMode(HandleOf(Journal), Status.Mode & 0644u);
}

WriteStep RollbackJournal::Mark(const CString& tag) noexcept {
  CString mark = Path;
  mark.Append("", 1);
  mark += tag;
  FileCause cause = FileCause::None;
  if (mark.GetLength() != Path.GetLength() + 1 + tag.GetLength() ||
      !GetFileAccess().SetAttribute(HandleOf(File), JournalMarkName, mark, cause))
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
