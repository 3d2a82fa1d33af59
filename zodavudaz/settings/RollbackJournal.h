// The rollback journal of one in-place write of a settings file.
#ifndef ZODAVUDAZ_SETTINGS_ROLLBACKJOURNAL_H
#define ZODAVUDAZ_SETTINGS_ROLLBACKJOURNAL_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/settings/WriteStep.h>

/// What an in-place write changes: the file's bytes from From on become the LiteralLength bytes
/// at Literal, then the old bytes from CopyFrom to the old end.
struct InPlaceChange {
  int From;
  const char* Literal;
  int LiteralLength;
  int CopyFrom;
};

/// Before an in-place write changes a byte, the bytes it overwrites and those it puts there go
/// durably into a journal beside the settings file (JournalNameFor), readable by whom the file
/// is, and the file is marked with the journal's place (JournalMarkName); ending the journal
/// removes the mark, then the journal. A writer killed in between leaves the mark, and the next
/// caller puts the old bytes back (JournalRecovery).
class RollbackJournal {
public:
  /// file is open for reading and writing on path (absolute, no link in it) under the writer's
  /// lock; status is what the host tells of it.
  RollbackJournal(CFile& file, const CString& path, const FileStatus& status) noexcept;
  RollbackJournal(const RollbackJournal&) = delete;
  RollbackJournal& operator=(const RollbackJournal&) = delete;
  /// Removes the journal unless the file still bears its mark.
  ~RollbackJournal();

  /// Keeps the file's old bytes (oldBytes, oldSize of them) from change.From on, and what change
  /// puts there. Done: the journal and its name are durable and the file is marked. Refused where
  /// no journal can be kept (a folder that takes no new file, a file system or file without user
  /// attributes): the write goes on without one. Failed: the file is as it was, unmarked.
  WriteStep Begin(const char* oldBytes, int oldSize, const InPlaceChange& change) noexcept;
  /// Removes the mark, durably; false where the mark stays or its removal may not be durable:
  /// the writer then puts the old bytes back itself, or leaves them to the next caller where it
  /// cannot. True where nothing was begun.
  bool End() noexcept;

private:
  /// Writes the journal whole and makes it and its name durable.
  bool Fill(const char* oldBytes, int oldSize, const InPlaceChange& change) noexcept;
  /// Makes the journal no wider than the file, and of its group where the writer may.
  bool MatchPermissions() noexcept;
  /// Marks the file with the path and the journal's tag.
  WriteStep Mark(const CString& tag) noexcept;

  CFile& File;
  CString Path;
  FileStatus Status;
  CString JournalPath;
  CFile Journal;
  bool Marked = false;
};

#endif
