// Many threads of one process, or many processes, on one large settings file, in tight loops for
// a bounded time: no call may fail at the wait's bound, and the writers must share the file
// fairly. ZDZ_STRESS_SECONDS sets the time. ZDZ_OTHER_BUILD_STRESS names another build's copy of
// this program (with ZDZ_OTHER_BUILD_EMULATOR, the emulator that runs it, if any): half the
// processes of the last case are then its.
#include "tests/TempFiles.h"
#include "tests/stress/StressSettings.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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

/// Where the callers run: threads of this process, processes of this build, or processes of this
/// build and of another one in turns.
enum class Callers { Threads, Processes, ProcessesOfBothBuilds };

/// Runs each of callers (writers first) at once in threads of this process and gives what each did.
std::vector<Count> RunThreads(int callers, const std::function<Count(int)>& run) {
  std::vector<Count> counts(static_cast<std::size_t>(callers));
  std::vector<std::thread> threads;
  for (int index = 0; index < callers; ++index)
    threads.emplace_back([&, index] { counts[static_cast<std::size_t>(index)] = run(index); });
  for (std::thread& thread : threads)
    thread.join();
  return counts;
}

/// Writes a caller's result to descriptor as a line of text, which processes of both builds read
/// alike, and ends the process.
[[noreturn]] void ReportAndExit(int descriptor, int index, const Count& count) {
  char line[100];
  const int length =
      std::snprintf(line, sizeof line, "%d %ld %ld %ld\n", index, count.Calls, count.Failures, count.LastWritten);
  _exit(write(descriptor, line, static_cast<std::size_t>(length)) == length ? 0 : 1);
}

/// Starts the other build's copy of this program as caller index (a writer or a reader) of file,
/// reporting to descriptor; the global environment below runs it there.
[[noreturn]] void StartInOtherBuild(int descriptor, int index, bool writer, DWORD milliseconds,
                                    const std::string& file) {
  const std::string caller = std::to_string(descriptor) + " " + std::to_string(index) + " " + (writer ? "w" : "r") +
                             " " + std::to_string(milliseconds) + " " + file;
  setenv("ZDZ_CONTENTION_CALLER", caller.c_str(), 1);
  // The test program's banner would come once a process; errors still show.
  dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
  char* program = std::getenv("ZDZ_OTHER_BUILD_STRESS");
  char* emulator = std::getenv("ZDZ_OTHER_BUILD_EMULATOR");
  char brief[] = "--gtest_brief=1";
  if (emulator != nullptr && *emulator != '\0') {
    char* arguments[] = {emulator, program, brief, nullptr};
    execvp(emulator, arguments);
  } else {
    char* arguments[] = {program, brief, nullptr};
    execv(program, arguments);
  }
  _exit(127);
}

/// Runs each of callers (writers first) at once in processes of their own, odd ones in the other
/// build's where both builds are asked for, and gives what each did; a caller that did not report
/// counts no calls.
std::vector<Count> RunProcesses(int callers, bool bothBuilds, int writers, DWORD milliseconds, const std::string& file,
                                const std::function<Count(int)>& run) {
  int results[2];
  EXPECT_EQ(pipe(results), 0);
  for (int index = 0; index < callers; ++index)
    if (fork() == 0) {
      if (bothBuilds && index % 2 == 1)
        StartInOtherBuild(results[1], index, index < writers, milliseconds, file);
      ReportAndExit(results[1], index, run(index));
    }
  close(results[1]);
  std::vector<Count> counts(static_cast<std::size_t>(callers));
  FILE* lines = fdopen(results[0], "r");
  int index = 0;
  Count count;
  while (std::fscanf(lines, "%d %ld %ld %ld", &index, &count.Calls, &count.Failures, &count.LastWritten) == 4)
    if (index >= 0 && index < callers)
      counts[static_cast<std::size_t>(index)] = count;
  std::fclose(lines);
  while (wait(nullptr) > 0) {
  }
  return counts;
}

/// Runs writers and readers on a file of megabytes MiB, prints the figures and checks them.
void RunContention(int writers, int readers, int megabytes, Callers callers = Callers::Threads) {
  const DWORD milliseconds = static_cast<DWORD>(SettingFromEnvironment("ZDZ_STRESS_SECONDS", 3) * 1000);
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, LargeFile(megabytes));
  const auto run = [&](int index) {
    return index < writers ? RunWriter(file, index, milliseconds) : RunReader(file, milliseconds);
  };
  const std::vector<Count> counts = callers == Callers::Threads
                                        ? RunThreads(writers + readers, run)
                                        : RunProcesses(writers + readers, callers == Callers::ProcessesOfBothBuilds,
                                                       writers, milliseconds, file, run);

  long writes = 0, writeFailures = 0, reads = 0, readFailures = 0, lost = 0, idle = 0, otherBuildWrites = 0;
  long fewest = counts.front().Calls, most = fewest;
  for (int index = 0; index < writers + readers; ++index) {
    const Count& count = counts[static_cast<std::size_t>(index)];
    (index < writers ? writes : reads) += count.Calls;
    (index < writers ? writeFailures : readFailures) += count.Failures;
    idle += count.Calls == 0 ? 1 : 0;
    if (index >= writers)
      continue;
    otherBuildWrites += index % 2 == 1 ? count.Calls : 0;
    fewest = std::min(fewest, count.Calls);
    most = std::max(most, count.Calls);
    CString value;
    if (count.LastWritten > 0 &&
        (!GetProfileStringEx(file.c_str(), "Common", ("Own" + std::to_string(index)).c_str(), value) ||
         value != std::to_string(count.LastWritten).c_str()))
      ++lost;
  }
  const double mean = static_cast<double>(writes) / writers;
  const char* where[] = {"one process", "processes of their own", "processes of two builds in turns"};
  std::printf("contention: %d writers and %d readers in %s on %d MiB, %lu s: %ld writes (%ld failed), "
              "per writer %ld to %ld (mean %.1f), %ld reads (%ld failed), %ld lost updates",
              writers, readers, where[static_cast<int>(callers)], megabytes,
              static_cast<unsigned long>(milliseconds / 1000), writes, writeFailures, fewest, most, mean, reads,
              readFailures, lost);
  if (callers == Callers::ProcessesOfBothBuilds)
    std::printf("; the other build's writers made %ld writes", otherBuildWrites);
  std::printf("\n");
  EXPECT_EQ(writeFailures, 0);
  EXPECT_EQ(readFailures, 0);
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(idle, 0) << "a caller made no call or did not report";
  EXPECT_GE(static_cast<double>(fewest), mean / 2) << "a writer was served less than half as often as the mean";
  EXPECT_EQ(folder.Count(), 1) << "a temporary file was left";
}

/// In a process that another build's copy of this program started as one of its callers
/// (ZDZ_CONTENTION_CALLER: the result's descriptor, the index, w or r, the milliseconds and the
/// file), runs that caller before any test, reports and leaves.
class CallerForOtherBuild : public testing::Environment {
public:
  void SetUp() override {
    const char* caller = std::getenv("ZDZ_CONTENTION_CALLER");
    if (caller == nullptr)
      return;
    int descriptor = -1, index = -1, fileAt = 0;
    char role = 0;
    unsigned long milliseconds = 0;
    if (std::sscanf(caller, "%d %d %c %lu %n", &descriptor, &index, &role, &milliseconds, &fileAt) != 4 || fileAt == 0)
      _exit(2);
    const std::string file = caller + fileAt;
    const DWORD time = static_cast<DWORD>(milliseconds);
    ReportAndExit(descriptor, index, role == 'w' ? RunWriter(file, index, time) : RunReader(file, time));
  }
};
[[maybe_unused]] const testing::Environment* const CallerForOtherBuildRegistered =
    testing::AddGlobalTestEnvironment(new CallerForOtherBuild);

TEST(ProfileContentionTest, SixteenWritersOnTwoMegabytesShareTheFile) { RunContention(16, 0, 2); }

TEST(ProfileContentionTest, EightWritersAndTwoReadersOnTenMegabytesShareTheFile) { RunContention(8, 2, 10); }

// Several instances of one application on one file: the writers' processes are served in turn.
TEST(ProfileContentionTest, EightWriterProcessesAndTwoReaderProcessesOnTenMegabytesShareTheFile) {
  RunContention(8, 2, 10, Callers::Processes);
}

// Instances of the native and the i386 build of an application on one file share one order.
TEST(ProfileContentionTest, WriterAndReaderProcessesOfTwoBuildsOnTenMegabytesShareTheFile) {
  if (std::getenv("ZDZ_OTHER_BUILD_STRESS") == nullptr)
    GTEST_SKIP() << "no other build's copy of this program in ZDZ_OTHER_BUILD_STRESS";
  RunContention(8, 2, 10, Callers::ProcessesOfBothBuilds);
}
} // namespace
