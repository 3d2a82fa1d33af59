#include "tests/TempFiles.h"
#include "tests/hooks/FaultInjectingFileAccess.h"
#include "tests/support/FileAttributes.h"
#include <zodavudaz/settings/JournalRecord.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
const char Original[] = "[T]\r\nA=1\r\n\r\n[S]\r\nK=0\r\nB=2\r\n\r\n";
const char Rewritten[] = "[T]\r\nA=1\r\n\r\n[S]\r\nB=2\r\nK=V\r\n\r\n";
const char Appended[] = "[T]\r\nA=1\r\n\r\n[S]\r\nK=0\r\nB=2\r\n\r\n[N]\r\nK=V\r\n\r\n";

/// WriteProfileStringEx(file, section, "K", value) through access.
int WriteThrough(FileAccess& access, const std::string& file, const char* section = "S", const char* value = "V") {
  SetFileAccess(&access);
  const int result = WriteProfileStringEx(file.c_str(), section, "K", value);
  SetFileAccess(nullptr);
  return result;
}

// Section "S" is rewritten, "N" appended; on a missing file, "S" creates it. A second name for
// the file makes the writer rewrite it in place; a file that takes no mark, without a journal.
struct FaultCase {
  const char *Name, *Section;
  bool FileExists, SecondName, NoJournal;
  const char* Written;
};

const FaultCase FaultCases[] = {
    {"Rewrite", "S", true, false, false, Rewritten},
    {"Append", "N", true, false, false, Appended},
    {"Create", "S", false, false, false, "[S]\r\nK=V\r\n\r\n"},
    {"RewriteInPlace", "S", true, true, false, Rewritten},
    {"AppendInPlace", "N", true, true, false, Appended},
    {"RewriteInPlaceWithoutJournal", "S", true, true, true, Rewritten},
    {"AppendInPlaceWithoutJournal", "N", true, true, true, Appended},
};

struct FaultKind {
  FileFault Fault;
  /// Whether the write gives 0 whenever the fault fires; the others send it another way (in
  /// place, or without a journal), which may still succeed.
  bool FailsTheWrite;
};

const FaultKind FaultKinds[] = {
    {FileFault::OpenRefused, true},        {FileFault::ReadError, true},       {FileFault::ShortWrite, true},
    {FileFault::DiskFull, true},           {FileFault::FlushError, true},      {FileFault::SetLengthError, true},
    {FileFault::RenameError, true},        {FileFault::StatusError, true},     {FileFault::ModeError, true},
    {FileFault::AttributeReadError, true}, {FileFault::FolderSyncError, true}, {FileFault::RenameCrossDevice, false},
    {FileFault::RemoveError, false},       {FileFault::OwnerRefused, false},   {FileFault::AttributeRefused, false},
};

// Every call that a write makes fails in turn, persistently and once: the result is 0 with the
// old bytes, or 1 with the new ones, once the next caller has put back what an in-place write
// could not; no temporary file, journal or mark stays behind.
TEST(ProfileWriterFaultTest, OldFileSurvivesEveryFault) {
  FaultInjectingFileAccess unmarkable;
  unmarkable.Arm(FileFault::AttributeRefused, 1, true);
  for (const FaultCase& row : FaultCases) {
    FaultInjectingFileAccess faults(row.NoJournal ? unmarkable : GetHostFileAccess());
    for (const FaultKind& kind : FaultKinds) {
      for (bool persistent : {true, false}) {
        for (int call = 1;; ++call) {
          SCOPED_TRACE(::testing::Message() << row.Name << " fault " << int(kind.Fault) << " call " << call
                                            << (persistent ? " persistent" : " once"));
          TempFolder folder;
          const std::string file = folder / "Mardel.tmp";
          if (row.FileExists)
            WriteAll(file, Original);
          if (row.SecondName)
            link(file.c_str(), (folder / "Other.tmp").c_str());
          faults.Arm(kind.Fault, call, persistent);
          const int result = WriteThrough(faults, file, row.Section);
          faults.Disarm();
          const bool fired = faults.GetFaultCount() > 0;
          if (kind.FailsTheWrite || !fired) {
            EXPECT_EQ(result, fired ? 0 : 1);
          }
          CString value;
          GetProfileStringEx(file.c_str(), "T", "A", value);
          // A folder that cannot be synced after the move leaves the new bytes, not known durable.
          const bool movedUnsynced =
              kind.Fault == FileFault::FolderSyncError && !row.SecondName && ReadAll(file) == row.Written;
          const char* expected = result == 1 || movedUnsynced ? row.Written : row.FileExists ? Original : "";
          // Without a journal, an in-place write that keeps failing cannot put the old bytes back.
          if (!(row.NoJournal && persistent && result == 0)) {
            EXPECT_EQ(ReadAll(file), expected);
          }
          // A failed creation leaves no file, not an empty one, unless it cannot remove it.
          if (kind.Fault != FileFault::RemoveError) {
            EXPECT_EQ(std::filesystem::exists(file), row.FileExists || result == 1);
          }
          EXPECT_FALSE(HasAttribute(file, JournalMarkName));
          // A file that cannot be removed stays: a leftover that the next write removes.
          const long names = (std::filesystem::exists(file) ? 1 : 0) + (row.SecondName ? 1 : 0);
          EXPECT_GE(folder.Count(), names);
          EXPECT_LE(folder.Count(), names + (kind.Fault == FileFault::RemoveError ? 1 : 0));
          if (!fired)
            break;
        }
      }
    }
  }
}

/// Runs a race once, as another writer or user could: just before the writer creates the settings
/// file, or once it has walked its path.
class RacingFileAccess final : public FaultInjectingFileAccess {
public:
  enum class Moment { BeforeCreation, AfterWalk };
  RacingFileAccess(Moment when, std::string path, std::function<void()> race)
      : When(when), Path(std::move(path)), Race(std::move(race)) {}
  Handle Open(LPCTSTR path, UINT flags, FileCause& cause) noexcept override {
    if (Path == path && (flags & CFile::modeCreateNew) != 0)
      RaceAt(Moment::BeforeCreation);
    return FaultInjectingFileAccess::Open(path, flags, cause);
  }
  CString ResolveLinks(LPCTSTR path) noexcept override {
    const CString walked = FaultInjectingFileAccess::ResolveLinks(path);
    RaceAt(Moment::AfterWalk);
    return walked;
  }

private:
  void RaceAt(Moment moment) {
    if (moment == When && Race)
      std::exchange(Race, nullptr)();
  }
  Moment When;
  std::string Path;
  std::function<void()> Race;
};

// A file created by another writer after this one found none is the one written; a link planted
// in place of the file after the writer walked its path is not followed (the file it leads to
// stays as it was). A file replaced between the writer's open and its lock is the contention
// stress test's: its writers lose updates when it is written all the same.
TEST(ProfileWriterTest, RacesWithOtherWritersAndUsers) {
  using Moment = RacingFileAccess::Moment;
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp", secret = folder / "Secret.tmp";
  const struct {
    const char* Name;
    Moment When;
    std::function<void()> Race;
    bool FileExists;
    const char* Section;
    int Result;
    const char* After;
  } rows[] = {
      {"CreatedBeforeTheCreation", Moment::BeforeCreation, [&] { WriteAll(file, "[Common]\r\nOther=1\r\n\r\n"); },
       false, "Common", 1, "[Common]\r\nOther=1\r\nK=V\r\n\r\n"},
      {"LinkPlantedAfterTheWalk", Moment::AfterWalk,
       [&] {
         unlink(file.c_str());
         symlink(secret.c_str(), file.c_str());
       },
       true, "S", 0, Original},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    std::filesystem::remove(file);
    if (row.FileExists)
      WriteAll(file, Original);
    WriteAll(secret, Original);
    RacingFileAccess racing(row.When, file, row.Race);
    EXPECT_EQ(WriteThrough(racing, file, row.Section), row.Result);
    EXPECT_EQ(ReadAll(file), row.After);
  }
}

/// Watches a write: names, in order, the calls that make it durable (writes and flushes of the
/// settings file, by inode, and of others, attribute sets, moves and folder syncs), and records
/// the permissions of other files while they are written and of the replacement when it is moved.
/// Where asked, refuses every attribute set on another file, as the host does for one that only a
/// privileged writer may set.
class WriteWatch final : public FaultInjectingFileAccess {
public:
  explicit WriteWatch(ino_t settingsFile, bool refuseOtherAttributes = false)
      : SettingsFile(settingsFile), RefuseOtherAttributes(refuseOtherAttributes) {}
  long Write(Handle file, const void* buffer, UINT count, FileCause& cause) noexcept override {
    const struct stat status = StatusOfOpen(file);
    Calls.push_back(status.st_ino == SettingsFile ? "write file" : "write other");
    if (status.st_ino != SettingsFile)
      WhileWritten.push_back(status.st_mode & 07777);
    return FaultInjectingFileAccess::Write(file, buffer, count, cause);
  }
  bool Flush(Handle file) noexcept override {
    Calls.push_back(StatusOfOpen(file).st_ino == SettingsFile ? "flush file" : "flush other");
    return FaultInjectingFileAccess::Flush(file);
  }
  bool SetAttribute(Handle file, LPCTSTR name, const CString& value, FileCause& cause) noexcept override {
    Calls.push_back("mark");
    if (RefuseOtherAttributes && StatusOfOpen(file).st_ino != SettingsFile) {
      cause = FileCause::AccessDenied;
      return false;
    }
    return FaultInjectingFileAccess::SetAttribute(file, name, value, cause);
  }
  bool Rename(LPCTSTR oldPath, LPCTSTR newPath, bool replaceExisting, FileCause& cause) noexcept override {
    Calls.push_back("move");
    AtRename = StatusOf(oldPath).st_mode & 07777;
    return FaultInjectingFileAccess::Rename(oldPath, newPath, replaceExisting, cause);
  }
  bool SyncFolder(LPCTSTR path) noexcept override {
    Calls.push_back("sync folder");
    return FaultInjectingFileAccess::SyncFolder(path);
  }

  std::vector<std::string> Calls;
  std::vector<unsigned> WhileWritten;
  unsigned AtRename = 0;

private:
  ino_t SettingsFile;
  bool RefuseOtherAttributes;
};

/// Whether wanted occur in calls in their order, before the first call named before (if any).
bool OccurInOrder(const std::vector<std::string>& calls, const std::vector<std::string>& wanted, const char* before) {
  auto next = wanted.begin();
  for (const std::string& call : calls) {
    if (before != nullptr && call == before)
      break;
    if (next != wanted.end() && call == *next)
      ++next;
  }
  return next == wanted.end();
}

// A move lasts only once its folder is synced; an in-place write changes no byte before the
// journal, its name and the mark are durable. Another user must not read a private file through
// the files a writer makes: they are their creator's alone, whatever the creation mask, and a
// replacement takes the file's permissions, extended attributes and access control list only once
// it is complete, and no default list of the folder. Where a new file cannot be what the old one
// is, here one with an attribute the writer may not set, the write goes in place.
TEST(ProfileWriterTest, EachStepDurableAndPrivateBeforeTheNextDependsOnIt) {
  const std::vector<std::string> moved = {"flush other", "move", "sync folder"};
  const std::vector<std::string> inPlace = {"write other", "flush other", "sync folder", "mark", "flush file"};
  const struct {
    const char* Name;
    unsigned Mode;
    bool SecondName, Unreplaceable;
    const char* AccessList;
    std::vector<std::string> Wanted;
    const char* Before;
  } rows[] = {
      {"PrivateReplacement", 0600, false, false, nullptr, moved, nullptr},
      {"GroupReplacement", 0660, false, false, nullptr, moved, nullptr},
      {"PublicReplacement", 0644, false, false, nullptr, moved, nullptr},
      {"SecondName", 0644, true, false, nullptr, inPlace, "write file"},
      {"Unreplaceable", 0644, false, true, nullptr, inPlace, "write file"},
      // The group class shows the list's mask, as before; the owning group gains nothing.
      {"SharedThroughAccessList", 0600, false, false, "-m u:65534:rw", moved, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    TempFolder folder;
    const std::string file = folder / "Mardel.tmp";
    WriteAll(file, Original);
    chmod(file.c_str(), row.Mode);
    if (row.SecondName)
      link(file.c_str(), (folder / "Other.tmp").c_str());
    if (!SetAttribute(file, "user.note", "kept") || !SetAccessList("-d -m u:65534:r", folder.Path.string()) ||
        (row.AccessList != nullptr && !SetAccessList(row.AccessList, file)))
      GTEST_SKIP() << "needs extended attributes and setfacl (Debian's acl package)";
    const std::string accessList = AttributeOf(file, AccessListAttribute);
    const unsigned mode = StatusOf(file).st_mode & 07777;
    const ino_t before = StatusOf(file).st_ino;
    WriteWatch watch(before, row.Unreplaceable);
    const mode_t mask = umask(0);
    EXPECT_EQ(WriteThrough(watch, file), 1);
    umask(mask);
    EXPECT_EQ(ReadAll(file), Rewritten);
    EXPECT_TRUE(OccurInOrder(watch.Calls, row.Wanted, row.Before)) << ::testing::PrintToString(watch.Calls);
    EXPECT_FALSE(watch.WhileWritten.empty());
    EXPECT_EQ(watch.WhileWritten, std::vector<unsigned>(watch.WhileWritten.size(), 0600u));
    EXPECT_EQ(StatusOf(file).st_mode & 07777, mode);
    EXPECT_EQ(AttributeOf(file, "user.note"), "kept");
    EXPECT_EQ(AttributeOf(file, AccessListAttribute), accessList);
    EXPECT_EQ(StatusOf(file).st_ino == before, row.Before != nullptr);
    if (row.Before == nullptr) {
      EXPECT_EQ(watch.AtRename, mode);
      EXPECT_EQ(watch.Calls.back(), "sync folder");
    }
    EXPECT_EQ(folder.Count(), row.SecondName ? 2 : 1);
  }
}
} // namespace
