#include "tests/TempFiles.h"
#include <zodavudaz/platform/CFile.h>

#include <gtest/gtest.h>

namespace {
TEST(CFileTest, MissingFileToldApartFromOtherFailures) {
  TempFolder folder;
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

TEST(CFileTest, ExclusiveOpenRefusesSecondOpenerUntilClosed) {
  TempFolder folder;
  const std::string name = folder.Path.string() + "\\f";
  CFile first, second;
  ASSERT_TRUE(first.Open(name.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
  CFileException error;
  EXPECT_FALSE(second.Open((folder / "f").c_str(), CFile::modeRead | CFile::shareExclusive, &error));
  EXPECT_EQ(error.Cause, FileCause::SharingViolation);
  EXPECT_TRUE(first.Write("abc", 3));
  EXPECT_EQ(first.GetLength(), 3u);
  first.Close();
  ASSERT_TRUE(second.Open((folder / "f").c_str(), CFile::modeRead | CFile::shareExclusive));
  char bytes[4] = {};
  EXPECT_EQ(second.Read(bytes, 4), 3u);
  EXPECT_STREQ(bytes, "abc");
}

// Small reads are served from a block read ahead; a seek, a write or a new length must act at
// the position the reader sees, not where the host file stands.
TEST(CFileTest, ReadAheadKeepsThePositionOfReadsSeeksAndWrites) {
  TempFolder folder;
  const std::string name = folder / "f";
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

// A file just opened stands at its start without asking the host; anything that moves the
// position ends that, so a later seek to the start must move it back.
TEST(CFileTest, SeekToTheStartAfterEachKindOfMove) {
  TempFolder folder;
  const std::string name = folder / "f";
  const struct {
    const char* Name;
    void (*Move)(CFile&);
    char FirstByte;
  } moves[] = {
      {"fresh", [](CFile&) {}, 'a'},
      {"read",
       [](CFile& file) {
         char byte;
         file.Read(&byte, 1);
       },
       'a'},
      {"write", [](CFile& file) { file.Write("Z", 1); }, 'Z'},
      {"seek", [](CFile& file) { file.Seek(2, CFile::begin); }, 'a'},
      {"seek to the end", [](CFile& file) { file.Seek(0, CFile::end); }, 'a'},
  };
  for (const auto& move : moves) {
    SCOPED_TRACE(move.Name);
    WriteAll(name, "abc");
    CFile file;
    ASSERT_TRUE(file.Open(name.c_str(), CFile::modeReadWrite));
    move.Move(file);
    EXPECT_EQ(file.Seek(0, CFile::begin), 0);
    char byte = '\0';
    EXPECT_EQ(file.Read(&byte, 1), 1u);
    EXPECT_EQ(byte, move.FirstByte);
  }
}
} // namespace
