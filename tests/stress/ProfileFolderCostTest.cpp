// A write's cost against the size of its folder: a write touches its own files by name and never
// lists the folder. ZDZ_CROWDED_FILES sets how many other files the crowded folder holds.
#include "tests/TempFiles.h"
#include "tests/hooks/FaultInjectingFileAccess.h"
#include "tests/stress/StressSettings.h"
#include <zodavudaz/settings/ProfileFile.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
constexpr int Writes = 300;

/// The host's file calls without their syncs, which cost the same in any folder and vary with the
/// disk's load: what is left is the cost that could grow with the folder.
class UnsyncedFileAccess final : public FaultInjectingFileAccess {
public:
  bool Flush(Handle) noexcept override { return true; }
  bool SyncFolder(LPCTSTR) noexcept override { return true; }
};

/// Times writes into a settings file of a folder, one at a time.
class WriteTimes {
public:
  explicit WriteTimes(const TempFolder& folder) : File(folder / "Mardel.tmp") {
    WriteAll(File, "[S]\r\nK=0\r\n\r\n[T]\r\nA=1\r\n\r\n");
  }
  void WriteOnce() {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WriteProfileStringEx(File.c_str(), "S", "K", std::to_string(Times.size()).c_str()), 1);
    Times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  double Median() {
    std::nth_element(Times.begin(), Times.begin() + static_cast<long>(Times.size() / 2), Times.end());
    return Times[Times.size() / 2];
  }

private:
  std::string File;
  std::vector<double> Times;
};

TEST(ProfileFolderCostTest, WriteCostDoesNotGrowWithTheFolder) {
  const long files = SettingFromEnvironment("ZDZ_CROWDED_FILES", 20000);
  TempFolder empty;
  auto crowded = std::make_unique<TempFolder>();
  // Other settings files and their look-alikes among them.
  for (long number = 0; number < files; ++number) {
    const std::string name = *crowded / ("Mardel.tmp.~" + std::to_string(number));
    close(open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
  }
  // Their creation reaches the disk first: its write-back would hold up writes in that folder.
  sync();
  // Writes alternate between the folders, so that a change in the machine's load meets both.
  UnsyncedFileAccess unsynced;
  SetFileAccess(&unsynced);
  WriteTimes emptyTimes(empty), crowdedTimes(*crowded);
  for (int write = 0; write < Writes; ++write) {
    emptyTimes.WriteOnce();
    crowdedTimes.WriteOnce();
  }
  SetFileAccess(nullptr);
  const double emptyTime = emptyTimes.Median(), crowdedTime = crowdedTimes.Median();
  const double ratio = crowdedTime / emptyTime;
  std::printf("folder cost (syncs left out): a write takes %.0f us beside %ld files, %.0f us in an empty folder: "
              "%.2fx\n",
              crowdedTime, files, emptyTime, ratio);
  EXPECT_EQ(crowded->Count(), files + 1);
  // A folder listed at each write made it 4.6 times slower at 20,000 files; the bound leaves room
  // for the noise of a busy machine.
  EXPECT_LT(ratio, 1.5);
  // The removal reaches the disk before the next test: its write-back would stall their syncs.
  crowded.reset();
  sync();
}
} // namespace
