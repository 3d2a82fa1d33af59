#include "tests/TempFiles.h"
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/WriterFiles.h>

#include <cctype>
#include <gtest/gtest.h>

namespace {
const char Original[] = "[S]\r\nK=0\r\n\r\n";
const char Written[] = "[S]\r\nK=V\r\n\r\n";

std::string NameOf(const CString& path) {
  const std::string text(path);
  return text.substr(text.rfind('/') + 1);
}

bool IsHexDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char ch) { return std::isxdigit(ch) && !std::islower(ch); });
}

// The names stay recognisable, the settings file's name first, and fit the folder's limit.
TEST(WriterFilesTest, NamesFitTheFolderAndStartWithTheFileName) {
  EXPECT_EQ(NameOf(TemporaryNameFor("/opt/zo/Mardel.tmp")), "Mardel.tmp.~805C4D895392BF23");
  EXPECT_EQ(NameOf(JournalNameFor("/opt/zo/Mardel.tmp")), "Mardel.tmp.~805C4D895392BF23.journal");
  EXPECT_EQ(std::string(TemporaryNameFor("Mardel.ini")), "Mardel.ini.~6705C98945673A00");
  for (int length : {1, 229, 230, 236, 237, 238, 241, 242, 250, 255}) {
    SCOPED_TRACE(length);
    const std::string name(static_cast<size_t>(length), 'n');
    const std::string temporary = NameOf(TemporaryNameFor(("/f/" + name).c_str()));
    const std::string journal = NameOf(JournalNameFor(("/f/" + name).c_str()));
    const size_t kept = std::min<size_t>(name.size(), 237);
    EXPECT_EQ(temporary.size(), kept + 18);
    EXPECT_EQ(temporary.substr(0, kept + 2), name.substr(0, kept) + ".~");
    EXPECT_TRUE(IsHexDigits(temporary.substr(kept + 2)));
    EXPECT_LE(journal.size(), 255u);
    EXPECT_EQ(journal, temporary.substr(0, std::min<size_t>(name.size(), 229)) + temporary.substr(kept) + ".journal");
  }
  // Names that share their first 237 bytes still get names of their own.
  const std::string shared(237, 's');
  EXPECT_NE(TemporaryNameFor(("/f/" + shared + "a").c_str()), TemporaryNameFor(("/f/" + shared + "b").c_str()));
}

// A write removes only the one name its own writers use: an editor's backups, a user's copies,
// other settings files and names of earlier versions of the library all stay as they were.
TEST(WriterFilesTest, LookAlikeNamesSurvive) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  const char* lookAlikes[] = {
      ".~1~",
      ".~orig",
      ".~notes.txt",
      ".~2",
      ".~0",
      ".~15",
      ".~",
      ".~805C4D895392BF2",
      ".~805C4D895392BF23A",
      ".~805c4d895392bf23",
      ".~0123456789AB",
      "~",
      ".~805C4D895392BF24",
  };
  WriteAll(file, Original);
  for (const char* suffix : lookAlikes)
    WriteAll(file + suffix, suffix);
  WriteAll(folder / "Other.tmp.~805C4D895392BF23", "another file's");
  // What a writer that died left: the one name that goes.
  WriteAll(file + ".~805C4D895392BF23", "[S]\r\nK=");
  EXPECT_EQ(WriteProfileStringEx(file.c_str(), "S", "K", "V"), 1);
  EXPECT_EQ(ReadAll(file), Written);
  for (const char* suffix : lookAlikes)
    EXPECT_EQ(ReadAll(file + suffix), suffix) << suffix;
  EXPECT_EQ(ReadAll(folder / "Other.tmp.~805C4D895392BF23"), "another file's");
  EXPECT_EQ(folder.Count(), 1 + static_cast<long>(std::size(lookAlikes)) + 1);
}
} // namespace
