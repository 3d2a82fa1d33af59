// Writers killed at random moments of a rewrite or an append, of small and multi-megabyte files:
// the file must always read whole as its old or its new version, and a later write must succeed.
// ZDZ_CRASH_TRIALS sets the trials per case.
#include "tests/TempFiles.h"
#include "tests/stress/StressSettings.h"
#include <zodavudaz/settings/ProfileFile.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
const std::string LargeValue(4 << 20, 'x');
const std::string Small = "[A]\r\nX=1\r\n\r\n[S]\r\nK=0\r\n\r\n";
const std::string Large = "[S]\r\nK=0\r\n\r\n[Big]\r\nV=" + LargeValue + "\r\n\r\n";

struct CrashCase {
  const char* Name;
  const std::string* Before;
  const char* Section;
  const std::string* Value;
};

const std::string Short = "new";

const CrashCase CrashCases[] = {
    {"RewriteSmall", &Small, "S", &Short},
    {"AppendSmall", &Small, "N", &Short},
    {"RewriteLarge", &Large, "S", &Short},
    {"AppendLarge", &Small, "N", &LargeValue},
};

void PrintTo(const CrashCase& row, std::ostream* out) { *out << row.Name; }

class ProfileCrashTest : public ::testing::TestWithParam<CrashCase> {};

TEST_P(ProfileCrashTest, FileIsOldOrNewWhole) {
  const CrashCase& row = GetParam();
  const long trials = SettingFromEnvironment("ZDZ_CRASH_TRIALS", 8);
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  const auto startWriter = [&] {
    WriteAll(file, *row.Before);
    const pid_t child = fork();
    if (child == 0)
      _exit(WriteProfileStringEx(file.c_str(), row.Section, "K", row.Value->c_str()));
    return child;
  };
  // One undisturbed writer gives the new version and how long a writer takes from its start.
  const auto start = std::chrono::steady_clock::now();
  waitpid(startWriter(), nullptr, 0);
  const long writerMicroseconds =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
  const std::string after = ReadAll(file);
  ASSERT_NE(after, *row.Before);
  std::mt19937 random(12345);
  std::uniform_int_distribution<long> delay(0, writerMicroseconds + writerMicroseconds / 5);
  long torn = 0, old = 0, written = 0;
  for (long trial = 0; trial < trials; ++trial) {
    const pid_t child = startWriter();
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string bytes = ReadAll(file);
    (bytes == *row.Before ? old : bytes == after ? written : torn)++;
  }
  std::printf("crash %s: %ld trials, %ld old, %ld new, %ld torn\n", row.Name, trials, old, written, torn);
  EXPECT_EQ(torn, 0);
  // Whatever the killed writers left beside the file neither blocks this write nor stays.
  WriteAll(file, *row.Before);
  EXPECT_EQ(WriteProfileStringEx(file.c_str(), row.Section, "K", row.Value->c_str()), 1);
  EXPECT_EQ(ReadAll(file), after);
  EXPECT_EQ(folder.Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileCrashTest, ::testing::ValuesIn(CrashCases),
                         [](const auto& info) { return std::string(info.param.Name); });
} // namespace
