// Many threads of one process, or many processes, on one large settings file, in tight loops for
// a bounded time: no call may fail at the wait's bound, and the writers must share the file
// fairly. ZDZ_STRESS_SECONDS sets the time.
#include "tests/TempFiles.h"
#include "tests/stress/StressSettings.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
/// What one thread did.
struct Count {
  long Calls = 0;
  long Failures = 0;
  long LastWritten = 0;
};

/// A settings file of about megabytes MiB: filler sections, then the section the threads use.
std::string LargeFile(int megabytes) {
  std::string bytes;
  const std::string value(1000, 'v');
  for (int section = 0; bytes.size() < static_cast<std::size_t>(megabytes) << 20; ++section)
    bytes += "[Filler" + std::to_string(section) + "]\r\nKey=" + value + "\r\n\r\n";
  return bytes + "[Common]\r\nSeed=1\r\n\r\n";
}

Count RunWriter(const std::string& path, int writer, DWORD milliseconds) {
  Count count;
  const std::string key = "Own" + std::to_string(writer);
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
    const long number = ++count.Calls;
    if (WriteProfileStringEx(path.c_str(), "Common", key.c_str(), std::to_string(number).c_str()))
      count.LastWritten = number;
    else
      ++count.Failures;
  }
  return count;
}

Count RunReader(const std::string& path, DWORD milliseconds) {
  Count count;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
    CString value;
    ++count.Calls;
    if (!GetProfileStringEx(path.c_str(), "Common", "Seed", value) || value != "1")
      ++count.Failures;
  }
  return count;
}

/// Runs each of callers (writers first) at once, in threads of this process or in processes of
/// their own, and gives what each did.
std::vector<Count> RunAll(int callers, bool processes, const std::function<Count(int)>& run) {
  std::vector<Count> counts(static_cast<std::size_t>(callers));
  if (!processes) {
    std::vector<std::thread> threads;
    for (int index = 0; index < callers; ++index)
      threads.emplace_back([&, index] { counts[static_cast<std::size_t>(index)] = run(index); });
    for (std::thread& thread : threads)
      thread.join();
    return counts;
  }
  int results[2];
  EXPECT_EQ(pipe(results), 0);
  for (int index = 0; index < callers; ++index)
    if (fork() == 0) {
      const std::pair<int, Count> result{index, run(index)};
      _exit(write(results[1], &result, sizeof result) == static_cast<ssize_t>(sizeof result) ? 0 : 1);
    }
  for (int index = 0; index < callers; ++index) {
    std::pair<int, Count> result;
    EXPECT_EQ(read(results[0], &result, sizeof result), static_cast<ssize_t>(sizeof result));
    counts[static_cast<std::size_t>(result.first)] = result.second;
  }
  while (wait(nullptr) > 0) {
  }
  close(results[0]);
  close(results[1]);
  return counts;
}

/// Runs writers and readers, threads of this process or processes, on a file of megabytes MiB,
/// prints the figures and checks them.
void RunContention(int writers, int readers, int megabytes, bool processes = false) {
  const DWORD milliseconds = static_cast<DWORD>(SettingFromEnvironment("ZDZ_STRESS_SECONDS", 3) * 1000);
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, LargeFile(megabytes));
  const std::vector<Count> counts = RunAll(writers + readers, processes, [&](int index) {
    return index < writers ? RunWriter(file, index, milliseconds) : RunReader(file, milliseconds);
  });

  const auto writerCounts = std::vector<Count>(counts.begin(), counts.begin() + writers);
  long writes = 0, writeFailures = 0, reads = 0, readFailures = 0, lost = 0;
  long fewest = writerCounts.front().Calls, most = fewest;
  for (int index = 0; index < writers + readers; ++index) {
    const Count& count = counts[static_cast<std::size_t>(index)];
    (index < writers ? writes : reads) += count.Calls;
    (index < writers ? writeFailures : readFailures) += count.Failures;
    if (index >= writers)
      continue;
    fewest = std::min(fewest, count.Calls);
    most = std::max(most, count.Calls);
    CString value;
    if (count.LastWritten > 0 &&
        (!GetProfileStringEx(file.c_str(), "Common", ("Own" + std::to_string(index)).c_str(), value) ||
         value != std::to_string(count.LastWritten).c_str()))
      ++lost;
  }
  const double mean = static_cast<double>(writes) / writers;
  std::printf("contention: %d writers and %d readers in %s on %d MiB, %lu s: %ld writes (%ld failed), "
              "per writer %ld to %ld (mean %.1f), %ld reads (%ld failed), %ld lost updates\n",
              writers, readers, processes ? "processes of their own" : "one process", megabytes,
              static_cast<unsigned long>(milliseconds / 1000), writes, writeFailures, fewest, most, mean, reads,
              readFailures, lost);
  EXPECT_EQ(writeFailures, 0);
  EXPECT_EQ(readFailures, 0);
  EXPECT_EQ(lost, 0);
  EXPECT_GE(static_cast<double>(fewest), mean / 2) << "a writer was served less than half as often as the mean";
  EXPECT_EQ(folder.Count(), 1) << "a temporary file was left";
}

TEST(ProfileContentionTest, SixteenWritersOnTwoMegabytesShareTheFile) { RunContention(16, 0, 2); }

TEST(ProfileContentionTest, EightWritersAndTwoReadersOnTenMegabytesShareTheFile) { RunContention(8, 2, 10); }

// Several instances of one application on one file: the writers' processes are served in turn.
TEST(ProfileContentionTest, EightWriterProcessesAndTwoReaderProcessesOnTenMegabytesShareTheFile) {
  RunContention(8, 2, 10, true);
}
} // namespace
