#include "tests/TempFiles.h"
#include "tests/hooks/FaultInjectingFileAccess.h"
#include <zodavudaz/settings/ProfileFile.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const char Original[] = "[T]\r\nA=1\r\n\r\n[S]\r\nK=0\r\nB=2\r\n\r\n";

// Section "S" is rewritten, "N" appended; on a missing file, "S" creates it. A second name for
// the file makes the writer rewrite it in place.
struct FaultCase {
  const char *Name, *Section;
  bool FileExists, SecondName;
  const char* Written;
};

const char Rewritten[] = "[T]\r\nA=1\r\n\r\n[S]\r\nB=2\r\nK=V\r\n\r\n";
const char Appended[] = "[T]\r\nA=1\r\n\r\n[S]\r\nK=0\r\nB=2\r\n\r\n[N]\r\nK=V\r\n\r\n";

const FaultCase FaultCases[] = {
    {"Rewrite", "S", true, false, Rewritten},
    {"Append", "N", true, false, Appended},
    {"Create", "S", false, false, "[S]\r\nK=V\r\n\r\n"},
    {"RewriteInPlace", "S", true, true, Rewritten},
    {"AppendInPlace", "N", true, true, Appended},
};

// Every call that a write makes fails in turn, persistently and once: the result is 0 with the
// old bytes, or 1 with the new ones, and no temporary file stays behind.
TEST(ProfileWriterFaultTest, OldFileSurvivesEveryFault) {
  FaultInjectingFileAccess faults;
  SetFileAccess(&faults);
  for (const FaultCase& row : FaultCases) {
    for (FileFault fault : {FileFault::OpenRefused, FileFault::ReadError, FileFault::ShortWrite, FileFault::DiskFull,
                            FileFault::FlushError, FileFault::RenameError}) {
      for (bool persistent : {true, false}) {
        for (int call = 1;; ++call) {
          SCOPED_TRACE(::testing::Message() << row.Name << " fault " << int(fault) << " call " << call
                                            << (persistent ? " persistent" : " once"));
          TempFolder folder;
          const std::string file = folder / "Mardel.tmp";
          if (row.FileExists)
            WriteAll(file, Original);
          if (row.SecondName)
            link(file.c_str(), (folder / "Other.tmp").c_str());
          faults.Arm(fault, call, persistent);
          const int result = WriteProfileStringEx(file.c_str(), row.Section, "K", "V");
          faults.Disarm();
          const bool fired = faults.GetFaultCount() > 0;
          // Every fault that fires fails the write.
          EXPECT_EQ(result, fired ? 0 : 1);
          const char* expected = result == 1 ? row.Written : row.FileExists ? Original : nullptr;
          EXPECT_EQ(folder.Count(), (expected != nullptr ? 1 : 0) + (row.SecondName ? 1 : 0));
          // An in-place write that keeps failing cannot put the old bytes back either.
          if (expected != nullptr && !(row.SecondName && persistent && result == 0)) {
            EXPECT_EQ(ReadAll(file), expected);
          }
          if (!fired)
            break;
        }
      }
    }
  }
  SetFileAccess(nullptr);
}

TEST(ProfileWriterTest, WritesThroughLinkAndKeepsPermissions) {
  TempFolder folder;
  const std::string target = folder / "target", link = folder / "link";
  WriteAll(target, Original);
  ::chmod(target.c_str(), 0640);
  std::filesystem::create_symlink(target, link);
  ASSERT_EQ(WriteProfileStringEx(link.c_str(), "S", "K", "V"), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadAll(target), FaultCases[0].Written);
  struct stat status {};
  ::stat(target.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

/// Replaces the file with another one right after the writer's first open, as a second writer
/// could between the writer's open and its lock.
class ReplacingFileAccess final : public FaultInjectingFileAccess {
public:
  ReplacingFileAccess(std::string replacement, std::string path) : Replacement(replacement), Path(path) {}
  Handle Open(LPCTSTR path, UINT flags, FileCause& cause) noexcept override {
    const Handle file = FaultInjectingFileAccess::Open(path, flags, cause);
    if (!Replaced && Path == path)
      Replaced = Rename(Replacement.c_str(), path, true);
    return file;
  }

private:
  std::string Replacement, Path;
  bool Replaced = false;
};

// Writers killed before their commit leave temporary files; the next writer removes them all.
TEST(ProfileWriterTest, LeftoversOfDeadWritersAreRemoved) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  for (int number = 0; number < 20; ++number)
    WriteAll(file + ".~" + std::to_string(number), "[S]\r\nK=");
  EXPECT_EQ(WriteProfileStringEx(file.c_str(), "N", "K", "V"), 1);
  EXPECT_EQ(ReadAll(file), Appended);
  EXPECT_EQ(folder.Count(), 1);
}

TEST(ProfileWriterTest, FileReplacedMeanwhileIsOpenedAgain) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  WriteAll(folder / "newer", "[S]\r\nC=3\r\n\r\n");
  ReplacingFileAccess replacing(folder / "newer", file);
  SetFileAccess(&replacing);
  EXPECT_EQ(WriteProfileStringEx(file.c_str(), "S", "K", "V"), 1);
  SetFileAccess(nullptr);
  EXPECT_EQ(ReadAll(file), "[S]\r\nC=3\r\nK=V\r\n\r\n");
}
} // namespace
