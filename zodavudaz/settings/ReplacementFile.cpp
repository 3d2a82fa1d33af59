#include <zodavudaz/settings/ReplacementFile.h>

#include <zodavudaz/settings/AttributeCopy.h>
#include <zodavudaz/settings/JournalRecord.h>
#include <zodavudaz/settings/WriterFiles.h>

ReplacementFile::ReplacementFile(const CString& target, const CFile& original, const FileStatus& status) noexcept
    : Target(target), Original(original), Status(status) {}

ReplacementFile::~ReplacementFile() { Discard(); }

WriteStep ReplacementFile::Create() noexcept {
  CString tag;
  const WriteStep created = CreateWriterFile(File, Target, WriterFile::Replacement, TempName, tag);
  if (created != WriteStep::Done)
    return created;
  FileStatus made;
  if (!GetFileAccess().GetStatus(HandleOf(File), made))
    return WriteStep::Failed;
  // Only a privileged writer may give a file away, and a group must be one of the writer's own.
  const bool sameOwner = made.Owner == Status.Owner && made.Group == Status.Group;
  return sameOwner || GetFileAccess().SetOwner(HandleOf(File), Status.Owner, Status.Group) ? WriteStep::Done
                                                                                           : WriteStep::Refused;
}

bool ReplacementFile::Write(const char* bytes, int length) noexcept {
  return length == 0 || File.Write(bytes, static_cast<UINT>(length));
}

WriteStep ReplacementFile::Commit() noexcept {
  // The attributes first: setting an access control list changes the permissions, which then
  // come back as they were.
  const WriteStep copied = CopyAttributes(HandleOf(Original), HandleOf(File), JournalMarkName);
  if (copied != WriteStep::Done)
    return copied;
  if (!GetFileAccess().SetMode(HandleOf(File), Status.Mode) || !File.Flush())
    return WriteStep::Failed;
  File.Close();
  FileCause cause = FileCause::None;
  if (!GetFileAccess().Rename(TempName, Target, true, cause))
    return cause == FileCause::CrossDevice ? WriteStep::Refused : WriteStep::Failed;
  TempName.Empty();
  // The move lasts only once the folder does; the file may hold the new bytes even so.
  return GetFileAccess().SyncFolder(Target) ? WriteStep::Done : WriteStep::Failed;
}

void ReplacementFile::Discard() noexcept {
  File.Close();
  if (!TempName.IsEmpty())
    CFile::Remove(TempName);
  TempName.Empty();
}
