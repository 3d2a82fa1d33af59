#include "tests/TempFiles.h"
#include <zodavudaz/platform/CFile.h>

#include <gtest/gtest.h>

namespace {
/// Each test's own folder, and the file most of them work on.
class CFileTest : public ::testing::Test {
protected:
  TempFolder folder;
  const std::string name = folder / "f";
};

TEST_F(CFileTest, MissingFileToldApartFromOtherFailures) {
  WriteAll(folder / "plain", "x");
  const struct {
    std::string Name;
    UINT Flags;
    FileCause Cause;
  } rows[] = {
      {folder / "missing", CFile::modeRead, FileCause::FileNotFound},
      {folder / "no\\such", CFile::modeRead, FileCause::FileNotFound},
      {folder / "plain", CFile::modeCreateNew | CFile::modeWrite, FileCause::Generic},
      {folder / "plain/below", CFile::modeRead, FileCause::Generic},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(row.Name.c_str(), row.Flags, &error));
    EXPECT_EQ(error.Cause, row.Cause);
  }
}

TEST_F(CFileTest, ExclusiveOpenRefusesSecondOpenerUntilClosed) {
  CFile first, second;
  ASSERT_TRUE(first.Open((folder.Path.string() + "\\f").c_str(),
                         CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
  CFileException error;
  EXPECT_FALSE(second.Open(name.c_str(), CFile::modeRead | CFile::shareExclusive, &error));
  EXPECT_EQ(error.Cause, FileCause::SharingViolation);
  first.Close();
  EXPECT_TRUE(second.Open(name.c_str(), CFile::modeRead | CFile::shareExclusive));
}

// Small reads are served from a block read ahead; a seek, a write or a new length must act at
// the position the reader sees, not where the host file stands.
TEST_F(CFileTest, ReadAheadKeepsThePositionOfReadsSeeksAndWrites) {
  WriteAll(name, "0123456789");
  CFile file;
  ASSERT_TRUE(file.Open(name.c_str(), CFile::modeReadWrite));
  char bytes[4] = {};
  EXPECT_EQ(file.Read(bytes, 3), 3u);
  EXPECT_EQ(file.Read(bytes, 3), 3u);
  EXPECT_EQ(std::string(bytes, 3), "345");
  EXPECT_EQ(file.Seek(-2, CFile::current), 4);
  EXPECT_EQ(file.Read(bytes, 1), 1u);
  EXPECT_EQ(bytes[0], '4');
  EXPECT_TRUE(file.Write("X", 1));
  EXPECT_EQ(file.Seek(0, CFile::current), 6);
  EXPECT_EQ(file.Read(bytes, 2), 2u);
  EXPECT_EQ(std::string(bytes, 2), "67");
  EXPECT_TRUE(file.SetLength(9));
  EXPECT_EQ(file.Read(bytes, 4), 1u);
  file.Close();
  EXPECT_EQ(ReadAll(name), "01234X678");
}

// A file just opened stands at its start without asking the host; a seek right after the open
// must still move it, and anything that moves the position ends that, so a later seek to the start
// must move it back.
TEST_F(CFileTest, SeeksRightAfterOpenAndAfterEachKindOfMove) {
  const struct {
    const char* Name;
    void (*Move)(CFile&);
    LONG Offset;
    UINT From;
    LONG Position;
    char Byte;
  } rows[] = {
      {"fresh, the start", [](CFile&) {}, 0, CFile::begin, 0, 'a'},
      {"fresh, 3 from the start", [](CFile&) {}, 3, CFile::begin, 3, 'd'},
      {"fresh, 2 from here", [](CFile&) {}, 2, CFile::current, 2, 'c'},
      {"fresh, here", [](CFile&) {}, 0, CFile::current, 0, 'a'},
      {"fresh, 1 before the end", [](CFile&) {}, -1, CFile::end, 5, 'f'},
      {"fresh, the end", [](CFile&) {}, 0, CFile::end, 6, '\0'},
      {"start after a read", [](CFile& file) { file.Read(std::string(1, ' ').data(), 1); }, 0, CFile::begin, 0, 'a'},
      {"start after a write", [](CFile& file) { file.Write("Z", 1); }, 0, CFile::begin, 0, 'Z'},
      {"start after a seek", [](CFile& file) { file.Seek(2, CFile::begin); }, 0, CFile::begin, 0, 'a'},
      {"start after a seek to the end", [](CFile& file) { file.Seek(0, CFile::end); }, 0, CFile::begin, 0, 'a'},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    WriteAll(name, "abcdef");
    CFile file;
    ASSERT_TRUE(file.Open(name.c_str(), CFile::modeReadWrite));
    row.Move(file);
    EXPECT_EQ(file.Seek(row.Offset, row.From), row.Position);
    char byte = '\0';
    EXPECT_EQ(file.Read(&byte, 1), row.Byte == '\0' ? 0u : 1u);
    EXPECT_EQ(byte, row.Byte);
  }
}

// A seek from the reader's position inside the block read ahead stays in the block up to its
// end, and goes to the host file beyond it: either way the next bytes are the file's.
TEST_F(CFileTest, SeekAroundTheEndsOfTheBlockReadAhead) {
  std::string bytes(3 * ReadAhead::BlockSize, '\0');
  for (size_t index = 0; index < bytes.size(); ++index)
    bytes[index] = static_cast<char>(index * 7 % 251);
  WriteAll(name, bytes);
  // Two small reads fill the block from position 1 on; the reader then stands at 2.
  constexpr LONG Reader = 2;
  constexpr LONG BlockEnd = 1 + static_cast<LONG>(ReadAhead::BlockSize);
  for (const LONG target : std::initializer_list<LONG>{BlockEnd - 1, BlockEnd, BlockEnd + 1, BlockEnd + 2, 1, 0}) {
    SCOPED_TRACE(target);
    CFile file;
    ASSERT_TRUE(file.Open(name.c_str(), CFile::modeRead));
    char read[4] = {};
    ASSERT_EQ(file.Read(read, 1), 1u);
    ASSERT_EQ(file.Read(read, 1), 1u);
    EXPECT_EQ(file.Seek(target - Reader, CFile::current), target);
    EXPECT_EQ(file.Read(read, 4), 4u);
    EXPECT_EQ(std::string(read, 4), bytes.substr(static_cast<size_t>(target), 4));
    EXPECT_EQ(file.Seek(0, CFile::current), target + 4);
  }
}
} // namespace
