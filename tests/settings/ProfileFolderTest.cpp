#include "tests/TempFiles.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const char Original[] = "[S]\r\nA=1\r\nK=0\r\n\r\n";
// Section "S" rewritten, then section "N" appended.
const char Written[] = "[S]\r\nA=1\r\nK=V\r\n\r\n[N]\r\nK=V\r\n\r\n";
const char Created[] = "[S]\r\nK=V\r\n\r\n[N]\r\nK=V\r\n\r\n";
// Who writes where root cannot be refused: an unprivileged user.
constexpr uid_t OtherUser = 65534;

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
};

struct stat StatusOf(const std::string& path, bool followLinks = true) {
  struct stat status {};
  (followLinks ? stat : lstat)(path.c_str(), &status);
  return status;
}

bool MakeFile(Place& place) {
  WriteAll(place.Path, Original);
  chmod(place.Path.c_str(), 0666);
  place.Before = StatusOf(place.Path);
  return true;
}

/// The file is still the same file, now with the written bytes.
void SameFileWritten(const Place& place) {
  EXPECT_EQ(ReadAll(place.Path), Written);
  EXPECT_EQ(StatusOf(place.Path).st_ino, place.Before.st_ino);
  EXPECT_EQ(StatusOf(place.Path).st_uid, place.Before.st_uid);
}

void IsLinkTo(const std::string& link, const std::string& target, const char* bytes) {
  EXPECT_TRUE(S_ISLNK(StatusOf(link, false).st_mode));
  EXPECT_EQ(ReadAll(target), bytes);
}

const FolderCase FolderCases[] = {
    {"ReadOnlyFolder", [](Place& place) { return MakeFile(place) && chmod(place.Folder.c_str(), 0555) == 0; }, true,
     true, 1,
     [](const Place& place) {
       SameFileWritten(place);
       chmod(place.Folder.c_str(), 0777);
     }},
    {"ForeignOwner", [](Place& place) { return getuid() == 0 && MakeFile(place); }, true, true, 1, SameFileWritten},
    {"HardLink",
     [](Place& place) {
       return MakeFile(place) && link(place.Path.c_str(), (place.Folder + "/Other.tmp").c_str()) == 0;
     },
     false, true, 2,
     [](const Place& place) {
       SameFileWritten(place);
       EXPECT_EQ(StatusOf(place.Path).st_nlink, 2u);
       EXPECT_EQ(ReadAll(place.Folder + "/Other.tmp"), Written);
     }},
    {"SymbolicLinkToFile",
     [](Place& place) {
       WriteAll(place.Folder + "/Real.tmp", Original);
       return symlink("Real.tmp", place.Path.c_str()) == 0;
     },
     false, true, 2, [](const Place& place) { IsLinkTo(place.Path, place.Folder + "/Real.tmp", Written); }},
    {"DanglingSymbolicLink", [](Place& place) { return symlink("Real.tmp", place.Path.c_str()) == 0; }, false, true, 2,
     [](const Place& place) { IsLinkTo(place.Path, place.Folder + "/Real.tmp", Created); }},
    {"Fifo", [](Place& place) { return mkfifo(place.Path.c_str(), 0666) == 0; }, false, false, 1,
     [](const Place& place) { EXPECT_TRUE(S_ISFIFO(StatusOf(place.Path).st_mode)); }},
    {"Directory", [](Place& place) { return mkdir(place.Path.c_str(), 0777) == 0; }, false, false, 1,
     [](const Place& place) { EXPECT_TRUE(S_ISDIR(StatusOf(place.Path).st_mode)); }},
};

void PrintTo(const FolderCase& row, std::ostream* out) { *out << row.Name; }

/// Rewrites "S", appends "N" and reads "S" back; the exit code has one bit per success.
[[noreturn]] void WriteAndRead(const std::string& path, bool asOtherUser) {
  if (asOtherUser && getuid() == 0 && (setgid(OtherUser) != 0 || setuid(OtherUser) != 0))
    _exit(64);
  CString value;
  const int rewritten = WriteProfileStringEx(path.c_str(), "S", "K", "V");
  const int appended = WriteProfileStringEx(path.c_str(), "N", "K", "V");
  const int read = GetProfileStringEx(path.c_str(), "S", "K", value) && value == "V";
  _exit(rewritten | appended << 1 | read << 2);
}

/// The child's exit code, or -1 when it was still running after seconds (and is killed).
int WaitBounded(pid_t child, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (GetTickCount() - start > milliseconds) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return -1;
    }
    Sleep(10);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    GTEST_SKIP() << "needs root";
  const pid_t child = fork();
  if (child == 0)
    WriteAndRead(place.Path, row.AsOtherUser);
  // A call never waits on a pipe or a device.
  EXPECT_EQ(WaitBounded(child, 20000), row.Writes ? 7 : 0);
  row.Check(place);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(place.Folder), std::filesystem::directory_iterator()),
            row.Entries);
  EXPECT_TRUE(std::filesystem::remove_all(place.Folder) > 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileFolderTest, ::testing::ValuesIn(FolderCases),
                         [](const auto& info) { return std::string(info.param.Name); });
} // namespace
