#include "tests/TempFiles.h"
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/ProfileLock.h>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
const char Original[] = "[S]\r\nK=0\r\n\r\n";

/// A process that holds path's reading or writing lock for milliseconds from its start on.
class LockHolder {
public:
  LockHolder(const std::string& path, bool writing, DWORD milliseconds) {
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    Child = fork();
    if (Child == 0) {
      CFile file;
      ProfileLock lock;
      const bool locked = file.Open(path.c_str(), writing ? CFile::modeReadWrite : CFile::modeRead) &&
                          (writing ? lock.LockForWriting(file) : lock.LockForReading(file));
      const char answer = locked ? '1' : '0';
      EXPECT_EQ(write(ready[1], &answer, 1), 1);
      Sleep(milliseconds);
      _exit(0);
    }
    char answer = '0';
    EXPECT_EQ(read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, '1');
    close(ready[0]);
    close(ready[1]);
  }
  ~LockHolder() { waitpid(Child, nullptr, 0); }

private:
  pid_t Child;
};

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
