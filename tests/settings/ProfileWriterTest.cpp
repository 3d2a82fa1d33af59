#include "tests/TempFiles.h"
#include <zodavudaz/platform/FaultInjectingFileAccess.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const char Original[] = "[T]\r\nA=1\r\n\r\n[S]\r\nK=0\r\nB=2\r\n\r\n";

// Section "S" is rewritten, "N" appended; on a missing file, "S" creates it.
struct FaultCase {
  const char *Name, *Section;
  bool FileExists;
  const char* Written;
};

const FaultCase FaultCases[] = {
    {"Rewrite", "S", true, "[T]\r\nA=1\r\n\r\n[S]\r\nB=2\r\nK=V\r\n\r\n"},
    {"Append", "N", true, "[T]\r\nA=1\r\n\r\n[S]\r\nK=0\r\nB=2\r\n\r\n[N]\r\nK=V\r\n\r\n"},
    {"Create", "S", false, "[S]\r\nK=V\r\n\r\n"},
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
          faults.Arm(fault, call, persistent);
          const int result = WriteProfileStringEx(file.c_str(), row.Section, "K", "V");
          faults.Disarm();
          const bool fired = faults.GetFaultCount() > 0;
          EXPECT_EQ(result, fired && persistent ? 0 : result);
          const char* expected = result == 1 ? row.Written : row.FileExists ? Original : nullptr;
          EXPECT_EQ(folder.Count(), expected != nullptr ? 1 : 0);
          if (expected != nullptr) {
            EXPECT_EQ(ReadAll(file), expected);
          }
          if (!fired) {
            EXPECT_EQ(result, 1);
            break;
          }
        }
      }
    }
  }
  SetFileAccess(nullptr);
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
