// Writers and readers on one settings file at once, as threads of one process, as processes with
// threads of their own, or as processes of two builds in turns, in tight loops for a bounded time:
// no call may fail at the wait's bound, every writer's last successful values must be in the file,
// the file must stay whole sections, and the writers must share it fairly. ZDZ_STRESS_SECONDS sets
// the time. ZDZ_OTHER_BUILD_STRESS names another build's copy of this program (with
// ZDZ_OTHER_BUILD_EMULATOR, the emulator that runs it, if any): half the processes of the two-build
// case are then its.
#include "tests/TempFiles.h"
#include "tests/stress/StressSettings.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
/// The keys a writer writes in turns: in its own section, its own in the common section, and the
/// one that all writers share.
enum Key { OwnSection, OwnCommonKey, Shared, KeyCount };

/// What one writer or reader did.
struct Count {
  long Calls = 0;
  long Failures = 0;
  /// Reads of the shared key that gave no value a writer wrote.
  long Malformed = 0;
  /// The number of each key's last successful write.
  long Last[KeyCount] = {};
};

std::string SectionOf(int writer, Key key) { return key == OwnSection ? "Writer" + std::to_string(writer) : "Common"; }

std::string KeyOf(int writer, Key key) {
  return key == OwnSection ? "Own" : key == OwnCommonKey ? "Own" + std::to_string(writer) : "Shared";
}

std::string ValueOf(int writer, long number) {
  return std::string("w").append(std::to_string(writer)).append("-").append(std::to_string(number));
}

bool IsWrittenValue(const CString& value) {
  static const std::regex pattern("w[0-9]+-[0-9]+");
  return std::regex_match(static_cast<LPCTSTR>(value), pattern);
}

/// Filler sections of about megabytes MiB, which no caller touches.
std::string Filler(int megabytes) {
  std::string bytes;
  const std::string value(1000, 'v');
  for (int section = 0; bytes.size() < static_cast<std::size_t>(megabytes) << 20; ++section)
    bytes += "[Filler" + std::to_string(section) + "]\r\nKey=" + value + "\r\n\r\n";
  return bytes;
}

/// Runs body for milliseconds, at least once.
template <typename BodyT>
void Loop(DWORD milliseconds, BodyT body) {
  const DWORD start = GetTickCount();
  do
    body();
  while (GetTickCount() - start < milliseconds);
}

Count RunWriter(const std::string& path, int writer, DWORD milliseconds) {
  Count count;
  Loop(milliseconds, [&] {
    const long number = ++count.Calls;
    const Key key = static_cast<Key>(number % KeyCount);
    if (WriteProfileStringEx(path.c_str(), SectionOf(writer, key).c_str(), KeyOf(writer, key).c_str(),
                             ValueOf(writer, number).c_str()))
      count.Last[key] = number;
    else
      ++count.Failures;
  });
  return count;
}

Count RunReader(const std::string& path, DWORD milliseconds) {
  Count count;
  Loop(milliseconds, [&] {
    CString value;
    count.Calls += 2;
    if (!GetProfileStringEx(path.c_str(), "Common", "Seed", value) || value != "1")
      ++count.Failures;
    if (GetProfileStringEx(path.c_str(), "Common", "Shared", value) && !IsWrittenValue(value))
      ++count.Malformed;
  });
  return count;
}

/// A range of callers of one file: writers come first.
struct Callers {
  int First, Number, Writers;
  DWORD Milliseconds;
  std::string File;
};

/// Runs the callers at once in threads of this process and gives what each did.
std::vector<Count> RunThreads(const Callers& callers) {
  std::vector<Count> counts(static_cast<std::size_t>(callers.Number));
  std::vector<std::thread> threads;
  for (int offset = 0; offset < callers.Number; ++offset)
    threads.emplace_back([&, offset] {
      const int index = callers.First + offset;
      counts[static_cast<std::size_t>(offset)] = index < callers.Writers
                                                     ? RunWriter(callers.File, index, callers.Milliseconds)
                                                     : RunReader(callers.File, callers.Milliseconds);
    });
  for (std::thread& thread : threads)
    thread.join();
  return counts;
}

/// Runs the callers in threads, writes what each did to descriptor as a line of text, which
/// processes of both builds read alike, and ends the process.
[[noreturn]] void RunAndReport(int descriptor, const Callers& callers) {
  const std::vector<Count> counts = RunThreads(callers);
  for (int offset = 0; offset < callers.Number; ++offset) {
    const Count& count = counts[static_cast<std::size_t>(offset)];
    char line[200];
    const int length =
        std::snprintf(line, sizeof line, "%d %ld %ld %ld %ld %ld %ld\n", callers.First + offset, count.Calls,
                      count.Failures, count.Malformed, count.Last[0], count.Last[1], count.Last[2]);
    if (write(descriptor, line, static_cast<std::size_t>(length)) != length)
      _exit(1);
  }
  _exit(0);
}

/// Starts the other build's copy of this program to run the callers, reporting to descriptor; the
/// global environment below runs them there.
[[noreturn]] void StartInOtherBuild(int descriptor, const Callers& callers) {
  const std::string caller = std::to_string(descriptor) + " " + std::to_string(callers.First) + " " +
                             std::to_string(callers.Number) + " " + std::to_string(callers.Writers) + " " +
                             std::to_string(callers.Milliseconds) + " " + callers.File;
  setenv("ZDZ_CONTENTION_CALLER", caller.c_str(), 1);
  // The test program's banner would come once a process; errors still show.
  dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
  char* program = std::getenv("ZDZ_OTHER_BUILD_STRESS");
  char* emulator = std::getenv("ZDZ_OTHER_BUILD_EMULATOR");
  char brief[] = "--gtest_brief=1";
  char* arguments[] = {emulator, program, brief, nullptr};
  // Without an emulator the program itself is the first argument; a name with a slash is not searched.
  char** command = emulator != nullptr && *emulator != '\0' ? arguments : arguments + 1;
  execvp(command[0], command);
  _exit(127);
}

/// Runs all callers in processes of perProcess threads, odd processes in the other build's copy
/// where both builds are asked for, and gives what each did; a caller that did not report counts
/// no calls.
std::vector<Count> RunProcesses(const Callers& all, int perProcess, bool bothBuilds) {
  int results[2];
  EXPECT_EQ(pipe(results), 0);
  for (int first = 0; first < all.Number; first += perProcess)
    if (fork() == 0) {
      const Callers callers{first, std::min(perProcess, all.Number - first), all.Writers, all.Milliseconds, all.File};
      if (bothBuilds && first / perProcess % 2 == 1)
        StartInOtherBuild(results[1], callers);
      RunAndReport(results[1], callers);
    }
  close(results[1]);
  std::vector<Count> counts(static_cast<std::size_t>(all.Number));
  FILE* lines = fdopen(results[0], "r");
  int index = 0;
  Count count;
  while (std::fscanf(lines, "%d %ld %ld %ld %ld %ld %ld", &index, &count.Calls, &count.Failures, &count.Malformed,
                     &count.Last[0], &count.Last[1], &count.Last[2]) == 7)
    if (index >= 0 && index < all.Number)
      counts[static_cast<std::size_t>(index)] = count;
  std::fclose(lines);
  while (wait(nullptr) > 0) {
  }
  return counts;
}

/// Whether bytes are the untouched filler, then whole sections: a header, key lines and one empty
/// line, all CR LF, each section name once.
bool IsWellFormedFile(const std::string& bytes, const std::string& filler) {
  static const std::regex section("\\[([A-Za-z0-9]+)\\]\r\n([A-Za-z0-9]+=[A-Za-z0-9-]*\r\n)+\r\n");
  if (bytes.compare(0, filler.size(), filler) != 0)
    return false;
  std::map<std::string, int> names;
  std::size_t consumed = 0;
  const auto rest = bytes.begin() + static_cast<long>(filler.size());
  for (std::sregex_iterator match(rest, bytes.end(), section), end; match != end; ++match) {
    if (static_cast<std::size_t>(match->position()) != consumed || ++names[(*match)[1]] > 1)
      return false;
    consumed += static_cast<std::size_t>(match->length());
  }
  return filler.size() + consumed == bytes.size();
}

/// Counts the writers' last successful values that the file does not hold.
long CountLostUpdates(const std::string& path, const std::vector<Count>& counts, int writers) {
  long lost = 0;
  std::vector<std::string> lastShared;
  CString value;
  for (int writer = 0; writer < writers; ++writer) {
    const Count& count = counts[static_cast<std::size_t>(writer)];
    for (const Key key : {OwnSection, OwnCommonKey})
      if (count.Last[key] > 0 &&
          (!GetProfileStringEx(path.c_str(), SectionOf(writer, key).c_str(), KeyOf(writer, key).c_str(), value) ||
           value != ValueOf(writer, count.Last[key]).c_str()))
        ++lost;
    if (count.Last[Shared] > 0)
      lastShared.push_back(ValueOf(writer, count.Last[Shared]));
  }
  // The shared key holds the last of the writers' last values, whichever writer that was.
  GetProfileStringEx(path.c_str(), "Common", "Shared", value);
  if (!lastShared.empty() &&
      std::find(lastShared.begin(), lastShared.end(), static_cast<LPCTSTR>(value)) == lastShared.end())
    ++lost;
  return lost;
}

/// The file is missing at the start: the writers create it.
constexpr int NoFile = -1;

struct ContentionCase {
  const char* Name;
  int Writers, Readers;
  /// The filler's size in MiB before the common section, or NoFile.
  int Megabytes;
  /// Callers per process, each in a thread of its own: all of them, or a process each.
  int PerProcess;
  /// Odd processes are the other build's.
  bool BothBuilds;
  /// Each caller makes one call rather than loop for the set time.
  bool OnceEach;
};

const ContentionCase ContentionCases[] = {
    {"SixteenWriterThreadsOnTwoMegabytes", 16, 0, 2, 16, false, false},
    {"EightWriterAndTwoReaderThreadsOnTenMegabytes", 8, 2, 10, 10, false, false},
    // Several instances of one application on one file: the writers' processes are served in turn.
    {"EightWriterAndTwoReaderProcessesOnTenMegabytes", 8, 2, 10, 1, false, false},
    {"ProcessesOfTwoWriterOrReaderThreadsOnASmallFile", 6, 2, 0, 2, false, false},
    // Processes that find the file missing all create it at once.
    {"WriterProcessesCreatingTheFile", 4, 0, NoFile, 1, false, true},
    // Instances of the native and the i386 build of an application on one file share one order.
    {"WriterAndReaderProcessesOfTwoBuildsOnTenMegabytes", 8, 2, 10, 1, true, false},
};

void PrintTo(const ContentionCase& row, std::ostream* out) { *out << row.Name; }

class ProfileContentionTest : public ::testing::TestWithParam<ContentionCase> {};

TEST_P(ProfileContentionTest, NoCallFailsNoUpdateIsLostAndWritersShareTheFile) {
  const ContentionCase& row = GetParam();
  if (row.BothBuilds && std::getenv("ZDZ_OTHER_BUILD_STRESS") == nullptr)
    GTEST_SKIP() << "no other build's copy of this program in ZDZ_OTHER_BUILD_STRESS";
  const DWORD seconds = row.OnceEach ? 0 : static_cast<DWORD>(SettingFromEnvironment("ZDZ_STRESS_SECONDS", 3));
  TempFolder folder;
  const Callers all{0, row.Writers + row.Readers, row.Writers, seconds * 1000, folder / "Mardel.tmp"};
  const std::string filler = row.Megabytes == NoFile ? "" : Filler(row.Megabytes);
  if (row.Megabytes != NoFile)
    WriteAll(all.File, filler + "[Common]\r\nSeed=1\r\n\r\n");
  const std::vector<Count> counts = RunProcesses(all, row.PerProcess, row.BothBuilds);

  Count writes, reads;
  long idle = 0, otherBuildWrites = 0, fewest = counts.front().Calls, most = fewest;
  for (int index = 0; index < all.Number; ++index) {
    const Count& count = counts[static_cast<std::size_t>(index)];
    Count& sum = index < row.Writers ? writes : reads;
    sum.Calls += count.Calls;
    sum.Failures += count.Failures;
    sum.Malformed += count.Malformed;
    idle += count.Calls == 0 ? 1 : 0;
    if (index >= row.Writers)
      continue;
    otherBuildWrites += index % 2 == 1 ? count.Calls : 0;
    fewest = std::min(fewest, count.Calls);
    most = std::max(most, count.Calls);
  }
  const long lost = CountLostUpdates(all.File, counts, row.Writers);
  const bool wellFormed = IsWellFormedFile(ReadAll(all.File), filler);
  const double mean = static_cast<double>(writes.Calls) / row.Writers;
  std::printf("contention %s, %lu s: %ld writes (%ld failed), per writer %ld to %ld (mean %.1f), "
              "%ld reads (%ld failed, %ld malformed), %ld lost updates, file %s",
              row.Name, static_cast<unsigned long>(seconds), writes.Calls, writes.Failures, fewest, most, mean,
              reads.Calls, reads.Failures, reads.Malformed, lost, wellFormed ? "well formed" : "MALFORMED");
  if (row.BothBuilds)
    std::printf("; the other build's writers made %ld writes", otherBuildWrites);
  std::printf("\n");
  EXPECT_EQ(writes.Failures, 0);
  EXPECT_EQ(reads.Failures, 0);
  EXPECT_EQ(reads.Malformed, 0);
  EXPECT_EQ(lost, 0);
  EXPECT_TRUE(wellFormed);
  EXPECT_EQ(idle, 0) << "a caller made no call or did not report";
  EXPECT_GE(static_cast<double>(fewest), mean / 2) << "a writer was served less than half as often as the mean";
  EXPECT_EQ(folder.Count(), 1) << "a temporary file was left";
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileContentionTest, ::testing::ValuesIn(ContentionCases),
                         [](const auto& info) { return std::string(info.param.Name); });

/// In a process that another build's copy of this program started to run some of its callers
/// (ZDZ_CONTENTION_CALLER: the result's descriptor, the first caller, their number, the number of
/// writers, the milliseconds and the file), runs them before any test, reports and leaves.
class CallersForOtherBuild : public testing::Environment {
public:
  void SetUp() override {
    const char* caller = std::getenv("ZDZ_CONTENTION_CALLER");
    if (caller == nullptr)
      return;
    int descriptor = -1, first = 0, number = 0, writers = 0, fileAt = 0;
    unsigned long milliseconds = 0;
    if (std::sscanf(caller, "%d %d %d %d %lu %n", &descriptor, &first, &number, &writers, &milliseconds, &fileAt) !=
            5 ||
        fileAt == 0)
      _exit(2);
    RunAndReport(descriptor, Callers{first, number, writers, static_cast<DWORD>(milliseconds), caller + fileAt});
  }
};
[[maybe_unused]] const testing::Environment* const CallersForOtherBuildRegistered =
    testing::AddGlobalTestEnvironment(new CallersForOtherBuild);
} // namespace
