#include "tests/TempFiles.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileAttributes.h"
#include "tests/support/PlantedNames.h"
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/WriterFiles.h>

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char Original[] = "[S]\r\nA=1\r\nK=0\r\n\r\n";
// Section "S" rewritten, then section "N" appended.
const char Written[] = "[S]\r\nA=1\r\nK=V\r\n\r\n[N]\r\nK=V\r\n\r\n";
const char Created[] = "[S]\r\nK=V\r\n\r\n[N]\r\nK=V\r\n\r\n";
struct Place {
  std::string Folder, Path;
  struct stat Before {};
};

struct FolderCase {
  const char* Name;
  /// Makes the file or folder; returns false where this run cannot (the case is skipped).
  std::function<bool(Place&)> Setup;
  /// Whether the calls run as another user (where the tests run as root).
  bool AsOtherUser;
  /// Whether the rewrite, the append and the read back succeed.
  bool Writes;
  /// How many names the folder holds afterwards: no temporary file stays.
  long Entries;
  std::function<void(const Place&)> Check;
  /// Whether the rewrite goes in place without a journal, and says so: the case left.
  bool Unprotected = false;
};

bool MakeFile(Place& place, mode_t mode = 0666) {
  WriteAll(place.Path, Original);
  chmod(place.Path.c_str(), mode);
  place.Before = StatusOf(place.Path);
  return true;
}

/// The file is still the same file, now with the written bytes.
void SameFileWritten(const Place& place) {
  EXPECT_EQ(ReadAll(place.Path), Written);
  EXPECT_EQ(StatusOf(place.Path).st_ino, place.Before.st_ino);
  EXPECT_EQ(StatusOf(place.Path).st_uid, place.Before.st_uid);
}

/// A root-only file outside the settings folder, and a link to it in the folder made sticky and
/// world-writable (as the system's temporary folder is), owned by owner.
bool MakeLinkInStickyFolder(Place& place, uid_t owner) {
  const std::string secret = place.Folder + "/../Secret.tmp";
  WriteAll(secret, Original);
  chmod(secret.c_str(), 0600);
  return getuid() == 0 && chmod(place.Folder.c_str(), 01777) == 0 && symlink(secret.c_str(), place.Path.c_str()) == 0 &&
         lchown(place.Path.c_str(), owner, owner) == 0;
}

void PlantedNamesKept(const Place& place) {
  SameFileWritten(place);
  EXPECT_EQ(ReadAll(static_cast<LPCTSTR>(TemporaryNameFor(place.Path.c_str()))), "planted");
  EXPECT_EQ(ReadAll(static_cast<LPCTSTR>(JournalNameFor(place.Path.c_str()))), "planted");
}

const FolderCase FolderCases[] = {
    {"ReadOnlyFolder", [](Place& place) { return MakeFile(place) && chmod(place.Folder.c_str(), 0555) == 0; }, true,
     true, 1, SameFileWritten, true},
    // Names that another user took first never make a write go without its journal.
    {"NamesTakenInStickyFolder",
     [](Place& place) { return getuid() == 0 && MakeFile(place) && PlantNames(place.Path, place.Folder); }, true, true,
     3, PlantedNamesKept},
    // Written through, the link stays.
    {"DanglingSymbolicLink", [](Place& place) { return symlink("Real.tmp", place.Path.c_str()) == 0; }, false, true, 2,
     [](const Place& place) {
       EXPECT_TRUE(S_ISLNK(StatusOf(place.Path, false).st_mode));
       EXPECT_EQ(ReadAll(place.Folder + "/Real.tmp"), Created);
     }},
    // A file shared with another user through its access control list, not its group: that user
    // cannot give a new file the owner, so writes in place; the list stays as it was.
    {"AccessListSharedFile",
     [](Place& place) { return MakeFile(place, 0600) && getuid() == 0 && SetAccessList("-m u:65534:rw", place.Path); },
     true, true, 1,
     [](const Place& place) {
       SameFileWritten(place);
       EXPECT_EQ(StatusOf(place.Path).st_mode & 0777, 0660u);
       EXPECT_FALSE(AttributeOf(place.Path, AccessListAttribute).empty());
     }},
    // A link that another user planted in a shared sticky folder is not followed by root.
    {"PlantedLinkInStickyFolder", [](Place& place) { return MakeLinkInStickyFolder(place, OtherUser); }, false, false,
     1, [](const Place& place) { EXPECT_EQ(ReadAll(place.Folder + "/../Secret.tmp"), Original); }},
    {"OwnLinkInStickyFolder", [](Place& place) { return MakeLinkInStickyFolder(place, 0); }, false, true, 1,
     [](const Place& place) { EXPECT_EQ(ReadAll(place.Folder + "/../Secret.tmp"), Written); }},
    {"Fifo", [](Place& place) { return mkfifo(place.Path.c_str(), 0666) == 0; }, false, false, 1,
     [](const Place& place) { EXPECT_TRUE(S_ISFIFO(StatusOf(place.Path).st_mode)); }},
};

void PrintTo(const FolderCase& row, std::ostream* out) { *out << row.Name; }

/// Rewrites "S", appends "N" and reads "S" back; one bit per success, and 8 where the rewrite
/// says it went without a journal.
int WriteAndRead(const std::string& path) {
  CString value;
  const int rewritten = WriteProfileStringEx(path.c_str(), "S", "K", "V");
  const int unprotected = GetLastProfileCause() == ProfileCause::UnprotectedWrite ? 8 : 0;
  const int appended = WriteProfileStringEx(path.c_str(), "N", "K", "V");
  const int read = GetProfileStringEx(path.c_str(), "S", "K", value) && value == "V";
  return rewritten | appended << 1 | read << 2 | unprotected;
}

class ProfileFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ProfileFolderTest, WritesKeepWhatTheFileIs) {
  const FolderCase& row = GetParam();
  TempFolder top;
  Place place{top / "settings", top / "settings/Mardel.tmp"};
  mkdir(place.Folder.c_str(), 0777);
  chmod(place.Folder.c_str(), 0777);
  chmod(top.Path.c_str(), 0755);
  if (!row.Setup(place))
    GTEST_SKIP() << "needs root (and Debian's acl package for access lists)";
  // A call never waits on a pipe or a device.
  EXPECT_EQ(RunInChild([&] { return WriteAndRead(place.Path); },
                       row.AsOtherUser && IsPrivileged() ? OtherUser : geteuid(), 20000),
            (row.Writes ? 7 : 0) | (row.Unprotected ? 8 : 0));
  row.Check(place);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(place.Folder), std::filesystem::directory_iterator()),
            row.Entries);
  chmod(place.Folder.c_str(), 0777);
  EXPECT_TRUE(std::filesystem::remove_all(place.Folder) > 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileFolderTest, ::testing::ValuesIn(FolderCases),
                         [](const auto& info) { return std::string(info.param.Name); });
} // namespace
