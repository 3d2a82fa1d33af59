#include "tests/TempFiles.h"
#include "tests/hooks/FaultInjectingFileAccess.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/ProfileLock.h>

#include <atomic>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

struct Timed {
  int Result = -1;
  std::string Value;
  DWORD Milliseconds = 0;
  ProfileCause Cause = ProfileCause::None;
};

Timed TimedRead(const std::string& path) {
  Timed read;
  const DWORD start = GetTickCount();
  CString value("marker");
  read.Result = GetProfileStringEx(path.c_str(), "S", "K", value);
  read.Value = static_cast<LPCTSTR>(value);
  read.Milliseconds = GetTickCount() - start;
  read.Cause = GetLastProfileCause();
  return read;
}

Timed TimedWrite(const std::string& path) {
  Timed write;
  const DWORD start = GetTickCount();
  write.Result = WriteProfileStringEx(path.c_str(), "S", "K", "V");
  write.Milliseconds = GetTickCount() - start;
  write.Cause = GetLastProfileCause();
  return write;
}

TEST(ProfileLockTest, CallsWaitForAWriterThenGoOn) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  Timed read, written;
  {
    LockHolder holder(file, true, 400);
    ASSERT_TRUE(holder.Locked(5000));
    std::thread reader([&] { read = TimedRead(file); });
    written = TimedWrite(file);
    reader.join();
  }
  EXPECT_EQ(written.Result, 1);
  EXPECT_GE(written.Milliseconds, 300u);
  EXPECT_EQ(read.Result, 1);
  EXPECT_GE(read.Milliseconds, 300u);
  EXPECT_EQ(ReadAll(file), "[S]\r\nK=V\r\n\r\n");
}

TEST(ProfileLockTest, WriterWaitsForReaders) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  Timed written;
  {
    LockHolder holder(file, false, 400);
    ASSERT_TRUE(holder.Locked(5000));
    written = TimedWrite(file);
  }
  EXPECT_EQ(written.Result, 1);
  EXPECT_GE(written.Milliseconds, 300u);
}

TEST(ProfileLockTest, ReadersShareTheFile) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  LockHolder holder(file, false, 3000);
  ASSERT_TRUE(holder.Locked(5000));
  const Timed read = TimedRead(file);
  EXPECT_EQ(read.Result, 1);
  EXPECT_EQ(read.Value, "0");
  EXPECT_LT(read.Milliseconds, 2000u);
}

// Past the bound a reader sees what a missing key gives, and a writer 0 with the file unchanged;
// both say the file was busy.
TEST(ProfileLockTest, CallsGiveUpAfterTheBound) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  Timed read, written;
  int wholeRead = -1;
  ProfileCause wholeReadCause = ProfileCause::None;
  {
    LockHolder holder(file, true, ProfileLock::WaitMilliseconds + 2000);
    ASSERT_TRUE(holder.Locked(5000));
    std::thread reader([&] { read = TimedRead(file); });
    std::thread wholeReader([&] {
      CString text;
      wholeRead = ReadProfileFile(file.c_str(), text);
      wholeReadCause = GetLastProfileCause();
    });
    written = TimedWrite(file);
    reader.join();
    wholeReader.join();
  }
  EXPECT_EQ(written.Cause, ProfileCause::Busy);
  EXPECT_EQ(read.Cause, ProfileCause::Busy);
  EXPECT_EQ(wholeRead, 0);
  EXPECT_EQ(wholeReadCause, ProfileCause::Busy);
  EXPECT_EQ(written.Result, 0);
  EXPECT_GE(written.Milliseconds, ProfileLock::WaitMilliseconds);
  EXPECT_EQ(read.Result, 0);
  EXPECT_EQ(read.Value, "");
  EXPECT_GE(read.Milliseconds, ProfileLock::WaitMilliseconds);
  EXPECT_EQ(ReadAll(file), Original);
}
} // namespace

namespace {
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
  std::thread writer([&] { written = TimedWrite(file); });
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

namespace {
/// The host's file calls, counting the byte locks tried.
class LockCounting : public FaultInjectingFileAccess {
public:
  bool LockRange(Handle file, DWORD position, DWORD count, bool exclusive) noexcept override {
    ++Tries;
    return FaultInjectingFileAccess::LockRange(file, position, count, exclusive);
  }
  std::atomic<int> Tries{0};
};

/// Whether a writer of this process waits for path: a reader that comes now is not served.
bool WriterQueuesFor(const char* path) {
  ProfileTurn probe;
  return probe.Enter(path, false, 1000) && !probe.Wait(0);
}

// The threads of one process wait for their turn, in the order they came, before they touch the
// file's locks: a writer behind a reader of its own process tries no lock until the reader leaves.
TEST(ProfileLockTest, ThreadsWaitForTheirTurnBeforeTheFile) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, Original);
  LockCounting counting;
  SetFileAccess(&counting);
  Timed written;
  std::optional<ProfileLock> reading(file.c_str());
  CFile held;
  ASSERT_TRUE(held.Open(file.c_str(), CFile::modeRead) && reading->LockForReading(held));
  std::thread writer([&] { written = TimedWrite(file); });
  for (const DWORD start = GetTickCount(); !WriterQueuesFor(file.c_str()) && GetTickCount() - start < 2000;)
    Sleep(1);
  const int before = counting.Tries;
  Sleep(200);
  EXPECT_EQ(counting.Tries, before) << "the writer tried the file before its turn";
  held.Close();
  reading.reset();
  writer.join();
  SetFileAccess(nullptr);
  EXPECT_EQ(written.Result, 1);
}
} // namespace
