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
} // namespace
