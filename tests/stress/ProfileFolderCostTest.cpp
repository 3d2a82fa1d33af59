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
constexpr int Writes = 60;

/// The host's file calls without their syncs, which cost the same in any folder and vary with the
/// disk's load: what is left is the cost that could grow with the folder.
class UnsyncedFileAccess final : public FaultInjectingFileAccess {
public:
  bool Flush(Handle) noexcept override { return true; }
  bool SyncFolder(LPCTSTR) noexcept override { return true; }
};

/// The median time of a write into a settings file of folder, in microseconds.
double MedianWriteMicroseconds(const TempFolder& folder) {
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, "[S]\r\nK=0\r\n\r\n[T]\r\nA=1\r\n\r\n");
  std::vector<double> times;
  for (int write = 0; write < Writes; ++write) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WriteProfileStringEx(file.c_str(), "S", "K", std::to_string(write).c_str()), 1);
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + Writes / 2, times.end());
  return times[Writes / 2];
}

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
  // Alternate rounds, so that a change in the machine's load meets both.
  UnsyncedFileAccess unsynced;
  SetFileAccess(&unsynced);
  double emptyTime = 0, crowdedTime = 0;
  for (int round = 0; round < 3; ++round) {
    emptyTime += MedianWriteMicroseconds(empty);
    crowdedTime += MedianWriteMicroseconds(*crowded);
  }
  SetFileAccess(nullptr);
  const double ratio = crowdedTime / emptyTime;
  std::printf("folder cost (syncs left out): a write takes %.0f us beside %ld files, %.0f us in an empty folder: "
              "%.2fx\n",
              crowdedTime / 3, files, emptyTime / 3, ratio);
  EXPECT_EQ(crowded->Count(), files + 1);
  // A folder listed at each write made it 4.6 times slower at 20,000 files; the bound leaves room
  // for the noise of a busy machine.
  EXPECT_LT(ratio, 1.5);
  // The removal reaches the disk before the next test: its write-back would stall their syncs.
  crowded.reset();
  sync();
}
} // namespace
