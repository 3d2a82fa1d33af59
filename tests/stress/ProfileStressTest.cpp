// Writer and reader processes (each with threads) on one settings file, in tight loops for a
// bounded time; then every writer's last successful values must be in the file.
// ZDZ_STRESS_SECONDS sets the time.
#include "tests/TempFiles.h"
#include "tests/stress/StressSettings.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
constexpr int WriterProcesses = 3;
constexpr int ReaderProcesses = 1;
constexpr int ThreadsPerProcess = 2;

/// What one writer or reader thread did; sent to the test through a pipe in one piece.
struct Tally {
  int Writer = -1; // -1: a reader
  long Calls = 0;
  long Failures = 0;
  long Malformed = 0;
  long LastOwn = 0;       // in "Writer<n>", key "Own"
  long LastCommonOwn = 0; // in "Common", key "Own<n>"
  long LastShared = 0;    // in "Common", key "Shared"
};

std::string ValueOf(int writer, long number) {
  return std::string("w").append(std::to_string(writer)).append("-").append(std::to_string(number));
}

bool IsWellFormedValue(const CString& value) {
  static const std::regex pattern("w[0-9]+-[0-9]+");
  return std::regex_match(static_cast<LPCTSTR>(value), pattern);
}

Tally RunWriter(const std::string& path, int writer, DWORD milliseconds) {
  Tally tally;
  tally.Writer = writer;
  const std::string section = "Writer" + std::to_string(writer), commonKey = "Own" + std::to_string(writer);
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
    const long number = ++tally.Calls;
    const std::string value = ValueOf(writer, number);
    // Its own section, its own key in the shared section, and the key that all writers share.
    const int kind = number % 3;
    const char* writtenSection = kind == 0 ? section.c_str() : "Common";
    const char* key = kind == 0 ? "Own" : kind == 1 ? commonKey.c_str() : "Shared";
    if (!WriteProfileStringEx(path.c_str(), writtenSection, key, value.c_str())) {
      ++tally.Failures;
      continue;
    }
    (kind == 0 ? tally.LastOwn : kind == 1 ? tally.LastCommonOwn : tally.LastShared) = number;
  }
  return tally;
}

Tally RunReader(const std::string& path, DWORD milliseconds) {
  Tally tally;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
    CString value;
    ++tally.Calls;
    if (!GetProfileStringEx(path.c_str(), "Common", "Seed", value) || value != "1")
      ++tally.Failures;
    ++tally.Calls;
    if (GetProfileStringEx(path.c_str(), "Common", "Shared", value) && !IsWellFormedValue(value))
      ++tally.Malformed;
  }
  return tally;
}

/// Starts a process whose threads each run one writer (or reader) and send their tallies.
pid_t StartProcess(const std::string& path, int process, bool writers, DWORD milliseconds, int pipeEnd) {
  const pid_t child = fork();
  if (child != 0)
    return child;
  std::vector<std::thread> threads;
  for (int thread = 0; thread < ThreadsPerProcess; ++thread)
    threads.emplace_back([=] {
      const Tally tally =
          writers ? RunWriter(path, process * ThreadsPerProcess + thread, milliseconds) : RunReader(path, milliseconds);
      if (write(pipeEnd, &tally, sizeof tally) != static_cast<ssize_t>(sizeof tally))
        std::abort();
    });
  for (std::thread& thread : threads)
    thread.join();
  _exit(0);
}

/// Whether the file is whole sections: a header, key lines and one empty line, all CR LF, each
/// section name once.
bool IsWellFormedFile(const std::string& bytes) {
  static const std::regex section("\\[([A-Za-z0-9]+)\\]\r\n([A-Za-z0-9]+=[A-Za-z0-9-]*\r\n)+\r\n");
  std::map<std::string, int> names;
  size_t consumed = 0;
  for (std::sregex_iterator match(bytes.begin(), bytes.end(), section), end; match != end; ++match) {
    if (static_cast<size_t>(match->position()) != consumed || ++names[(*match)[1]] > 1)
      return false;
    consumed += static_cast<size_t>(match->length());
  }
  return consumed == bytes.size();
}

/// Counts the writers' last successful values that the file does not hold.
long CountLostUpdates(const std::string& path, const std::vector<Tally>& tallies) {
  long lost = 0;
  std::vector<std::string> lastShared;
  CString value;
  for (const Tally& tally : tallies) {
    if (tally.Writer < 0)
      continue;
    const std::string section = "Writer" + std::to_string(tally.Writer);
    const std::string commonKey = "Own" + std::to_string(tally.Writer);
    if (tally.LastOwn > 0 && (!GetProfileStringEx(path.c_str(), section.c_str(), "Own", value) ||
                              value != ValueOf(tally.Writer, tally.LastOwn).c_str()))
      ++lost;
    if (tally.LastCommonOwn > 0 && (!GetProfileStringEx(path.c_str(), "Common", commonKey.c_str(), value) ||
                                    value != ValueOf(tally.Writer, tally.LastCommonOwn).c_str()))
      ++lost;
    if (tally.LastShared > 0)
      lastShared.push_back(ValueOf(tally.Writer, tally.LastShared));
  }
  // The shared key holds the last of the writers' last values, whichever writer that was.
  GetProfileStringEx(path.c_str(), "Common", "Shared", value);
  if (!lastShared.empty() &&
      std::find(lastShared.begin(), lastShared.end(), static_cast<LPCTSTR>(value)) == lastShared.end())
    ++lost;
  return lost;
}

TEST(ProfileStressTest, NoCallFailsAndNoUpdateIsLost) {
  const DWORD milliseconds = static_cast<DWORD>(SettingFromEnvironment("ZDZ_STRESS_SECONDS", 3) * 1000);
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, "[Common]\r\nSeed=1\r\n\r\n");
  int tallyPipe[2];
  ASSERT_EQ(pipe(tallyPipe), 0);
  std::vector<pid_t> children;
  for (int process = 0; process < WriterProcesses + ReaderProcesses; ++process)
    children.push_back(StartProcess(file, process, process < WriterProcesses, milliseconds, tallyPipe[1]));
  std::vector<Tally> tallies((WriterProcesses + ReaderProcesses) * ThreadsPerProcess);
  for (Tally& tally : tallies)
    ASSERT_EQ(read(tallyPipe[0], &tally, sizeof tally), static_cast<ssize_t>(sizeof tally));
  for (pid_t child : children)
    waitpid(child, nullptr, 0);
  close(tallyPipe[0]);
  close(tallyPipe[1]);

  Tally writes, reads;
  for (const Tally& tally : tallies) {
    Tally& sum = tally.Writer >= 0 ? writes : reads;
    sum.Calls += tally.Calls;
    sum.Failures += tally.Failures;
    sum.Malformed += tally.Malformed;
  }
  const long lost = CountLostUpdates(file, tallies);
  const bool wellFormed = IsWellFormedFile(ReadAll(file));
  std::printf("stress: %d writers, %d readers, %lu s: %ld writes (%ld failed), %ld reads (%ld failed, %ld "
              "malformed), %ld lost updates, file %s\n",
              WriterProcesses * ThreadsPerProcess, ReaderProcesses * ThreadsPerProcess,
              static_cast<unsigned long>(milliseconds / 1000), writes.Calls, writes.Failures, reads.Calls,
              reads.Failures, reads.Malformed, lost, wellFormed ? "well formed" : "MALFORMED");
  EXPECT_GT(writes.Calls, 0);
  EXPECT_EQ(writes.Failures, 0);
  EXPECT_EQ(reads.Failures, 0);
  EXPECT_EQ(reads.Malformed, 0);
  EXPECT_EQ(lost, 0);
  EXPECT_TRUE(wellFormed);
  EXPECT_EQ(folder.Count(), 1) << "a temporary file was left";
}

// Processes that find the file missing all create it at once; every one of them succeeds.
TEST(ProfileStressTest, ConcurrentCreationKeepsEveryKey) {
  constexpr int Creators = 4;
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  std::vector<pid_t> children;
  for (int creator = 0; creator < Creators; ++creator) {
    const pid_t child = fork();
    if (child == 0)
      _exit(WriteProfileStringEx(file.c_str(), "Common", ("Own" + std::to_string(creator)).c_str(), "1"));
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
  }
  CString value;
  for (int creator = 0; creator < Creators; ++creator)
    EXPECT_EQ(GetProfileStringEx(file.c_str(), "Common", ("Own" + std::to_string(creator)).c_str(), value), 1);
  EXPECT_TRUE(IsWellFormedFile(ReadAll(file)));
}
} // namespace
