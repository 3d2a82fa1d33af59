#include "tests/TempFiles.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/ProfileLock.h>

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
const char Original[] = "[S]\r\nK=0\r\n\r\n";

/// A process that takes path's reading or writing lock and holds it for milliseconds, or until
/// released. It is started before anything else of the test runs (a process forked during a
/// call would hold that call's lock too) and goes for the lock when told to.
class LockHolder {
public:
  LockHolder(const std::string& path, bool writing, DWORD milliseconds, bool goNow = true) {
    EXPECT_EQ(pipe(Report), 0);
    EXPECT_EQ(pipe(Releasing), 0);
    Child = fork();
    if (Child == 0) {
      char go = 0;
      EXPECT_EQ(read(Releasing[0], &go, 1), 1);
      CFile file;
      ProfileLock lock(path.c_str());
      const bool locked = file.Open(path.c_str(), writing ? CFile::modeReadWrite : CFile::modeRead) &&
                          (writing ? lock.LockForWriting(file) : lock.LockForReading(file));
      const char answer = locked ? '1' : '0';
      EXPECT_EQ(write(Report[1], &answer, 1), 1);
      pollfd release{Releasing[0], POLLIN, 0};
      poll(&release, 1, static_cast<int>(milliseconds));
      _exit(0);
    }
    if (goNow)
      Go();
  }
  void Go() { EXPECT_EQ(write(Releasing[1], "g", 1), 1); }
  /// Whether the process took the lock within milliseconds.
  bool Locked(DWORD milliseconds) {
    pollfd report{Report[0], POLLIN, 0};
    char answer = '0';
    return poll(&report, 1, static_cast<int>(milliseconds)) == 1 && read(Report[0], &answer, 1) == 1 && answer == '1';
  }
  void Release() { EXPECT_EQ(write(Releasing[1], "r", 1), 1); }
  ~LockHolder() {
    waitpid(Child, nullptr, 0);
    for (const int end : {Report[0], Report[1], Releasing[0], Releasing[1]})
      close(end);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

private:
  pid_t Child;
  int Report[2] = {-1, -1};
  int Releasing[2] = {-1, -1};
};

/// Whether another process's writer holds the gate of path.
bool WriterHoldsTheGate(const std::string& path) {
  CFile probe;
  if (!probe.Open(path.c_str(), CFile::modeRead) || !probe.LockRange(ProfileLock::GateByte, 1, FALSE))
    return true;
  probe.UnlockRange(ProfileLock::GateByte, 1);
  return false;
}

/// The calls a test makes: a read of "S"/"K", a write of K=V there, a read of the whole file.
enum class Call { Read, Write, Whole };

struct Timed {
  int Result = -1;
  std::string Value;
  DWORD Milliseconds = 0;
  ProfileCause Cause = ProfileCause::None;
};

Timed TimedCall(const std::string& path, Call call) {
  Timed timed;
  const DWORD start = GetTickCount();
  CString value("marker");
  if (call == Call::Read)
    timed.Result = GetProfileStringEx(path.c_str(), "S", "K", value);
  else if (call == Call::Write)
    timed.Result = WriteProfileStringEx(path.c_str(), "S", "K", "V");
  else
    timed.Result = ReadProfileFile(path.c_str(), value);
  timed.Value = static_cast<LPCTSTR>(value);
  timed.Milliseconds = GetTickCount() - start;
  timed.Cause = GetLastProfileCause();
  return timed;
}

struct WaitCase {
  const char* Name;
  /// The other process's lock, and how long it holds it at most.
  bool Writing;
  DWORD HeldMilliseconds;
  /// The calls made meanwhile, each in a thread of its own, and what each gives.
  std::vector<Call> Calls;
  /// 1, or 0 where the file was busy.
  int Result;
  /// The bounds of each call's time.
  DWORD AtLeast, Below;
  const char* After;
};

// Calls wait for a writer of another process, and writers for its readers, then go on; past the
// bound a reader sees what a missing key gives, and a writer 0 with the file unchanged; both say
// the file was busy. Readers share the file.
TEST(ProfileLockTest, CallsWaitAsTheLockHeldDemands) {
  const char* written = "[S]\r\nK=V\r\n\r\n";
  const DWORD bound = ProfileLock::WaitMilliseconds, late = bound + 2000;
  const WaitCase rows[] = {
      {"WriterHeld", true, 400, {Call::Read, Call::Write}, 1, 300, bound, written},
      {"ReaderHeld", false, 400, {Call::Write}, 1, 300, bound, written},
      {"ReadersShare", false, 3000, {Call::Read}, 1, 0, 2000, Original},
      {"HeldPastTheBound", true, late, {Call::Read, Call::Write, Call::Whole}, 0, bound, late, Original},
  };
  for (const WaitCase& row : rows) {
    SCOPED_TRACE(row.Name);
    TempFolder folder;
    const std::string file = folder / "Mardel.tmp";
    WriteAll(file, Original);
    LockHolder holder(file, row.Writing, row.HeldMilliseconds);
    ASSERT_TRUE(holder.Locked(5000));
    std::vector<Timed> timed(row.Calls.size());
    std::vector<std::thread> threads;
    for (std::size_t index = 0; index < row.Calls.size(); ++index)
      threads.emplace_back([&, index] { timed[index] = TimedCall(file, row.Calls[index]); });
    for (std::thread& thread : threads)
      thread.join();
    holder.Release();
    for (std::size_t index = 0; index < timed.size(); ++index) {
      SCOPED_TRACE(::testing::Message() << "call " << index);
      EXPECT_EQ(timed[index].Result, row.Result);
      EXPECT_EQ(timed[index].Cause, row.Result == 1 ? ProfileCause::None : ProfileCause::Busy);
      if (row.Calls[index] != Call::Write) {
        EXPECT_EQ(timed[index].Value.empty(), row.Result == 0);
      }
      EXPECT_GE(timed[index].Milliseconds, row.AtLeast);
      EXPECT_LT(timed[index].Milliseconds, row.Below);
    }
    EXPECT_EQ(ReadAll(file), row.After);
  }
}

// A reader that comes while a writer waits for the readers before it waits behind the writer, in
// whatever process it runs: readers that follow each other cannot keep a writer out.
TEST(ProfileLockTest, ReadersThatComeLaterWaitForAWaitingWriter) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  LockHolder first(file, false, 20000);
  LockHolder second(file, false, 20000, false);
  ASSERT_TRUE(first.Locked(5000));
  Timed written;
  std::thread writer([&] { written = TimedCall(file, Call::Write); });
  // Until the writer waits at the gate; a writer that never takes it is caught below.
  for (const DWORD start = GetTickCount(); !WriterHoldsTheGate(file) && GetTickCount() - start < 2000;)
    Sleep(1);
  second.Go();
  EXPECT_FALSE(second.Locked(1500)) << "a later reader went ahead of the waiting writer";
  first.Release();
  writer.join();
  EXPECT_EQ(written.Result, 1);
  EXPECT_TRUE(second.Locked(5000));
  second.Release();
  EXPECT_EQ(ReadAll(file), "[S]\r\nK=V\r\n\r\n");
}
} // namespace
