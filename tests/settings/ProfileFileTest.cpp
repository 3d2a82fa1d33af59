#include "tests/TempFiles.h"
#include <zodavudaz/settings/ProfileFile.h>

#include <gtest/gtest.h>
#include <vector>

namespace {
struct WriteCase {
  const char* Name;
  const char* Before; // null: no file
  const char* Section;
  int Result;
  const char* After; // null: as before
  const char* Key = "K";
  const char* Value = "V";
};

const char NewSection[] = "[S]\r\nK=V\r\n\r\n";

const WriteCase WriteCases[] = {
    {"EmptyFileAsNewFile", "", "S", 1, NewSection},
    {"NewKeyEndsSection", "[S]\r\nA=1\r\nB=2\r\n\r\n", "S", 1, "[S]\r\nA=1\r\nB=2\r\nK=V\r\n\r\n"},
    {"DuplicatesDropped", "[S]\r\nA=1\r\nB=2\r\nA=3\r\n\r\n", "S", 1, "[S]\r\nB=2\r\nA=\r\n\r\n", "A", ""},
    {"BytesAroundSectionKept", "x\r\n[S]\r\nA=1\r\n\r\n[T]\r\nA=2\r\n\r\n", "S", 1,
     "x\r\n[S]\r\nA=3\r\n\r\n[T]\r\nA=2\r\n\r\n", "A", "3"},
    {"MissingSectionAppended", "[T]\r\nA=1\r\n\r\n", "S", 1, "[T]\r\nA=1\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"AppendCompletesLastLine", "[T]\r\nA=1", "S", 1, "[T]\r\nA=1\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"AppendEndsLastSection", "[T]\r\nA=1\r\n", "S", 1, "[T]\r\nA=1\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"HeaderInValueIsNoSection", "[T]\r\nA=[S]\r\n\r\n", "S", 1, "[T]\r\nA=[S]\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"NamesAreCaseSensitive", "[s]\r\nk=1\r\n\r\n", "S", 1, "[s]\r\nk=1\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"SectionRunsToFileEnd", "[S]\r\nA=1", "S", 1, "[S]\r\nA=1\r\nK=V\r\n\r\n"},
    {"HeaderIsLastLine", "[S]", "S", 1, NewSection},
    {"KeyAfterEmptyLineStays", "[S]\r\n\r\nK=0\r\n", "S", 1, "[S]\r\nK=V\r\n\r\nK=0\r\n"},
    {"NextHeaderEndsSection", "[S]\r\nA=1\r\n[T]\r\nK=2\r\n", "S", 1, "[S]\r\nA=1\r\nK=V\r\n\r\n[T]\r\nK=2\r\n"},
    {"MarkAndBlanksBeforeHeader", "\xEF\xBB\xBF [S]\r\nK=1\r\n\r\n", "S", 1, "\xEF\xBB\xBF [S]\r\nK=2\r\n\r\n", "K",
     "2"},
    {"LineFeedFile", "[S]\nK=1\n\n[T]\nK=2\n", "S", 1, "[S]\nK=3\r\n\r\n[T]\nK=2\n", "K", "3"},
    {"ValueWithLineFeedRefused", "[S]\r\n\r\n", "S", 0, nullptr, "K", "a\nb"},
    {"KeyWithLineFeedRefused", nullptr, "S", 0, nullptr, "K\n"},
    {"SectionWithBracketsStored", "[S]\r\n\r\n", "Line[2]", 1, "[S]\r\n\r\n[Line[2]]\r\nK=V\r\n\r\n"},
    {"SectionWithReturnRefused", "[S]\r\n\r\n", "S\r", 0, nullptr},
    {"LoneFinalReturnCompleted", "[S]\r\nA=1\r", "S", 1, "[S]\r\nA=1\r\nK=V\r\n\r\n"},
    {"AppendAfterLoneFinalReturn", "[T]\r\nA=1\r", "S", 1, "[T]\r\nA=1\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"AppendAfterLoneReturnLine", "[T]\r\nA=1\r\n\r", "S", 1, "[T]\r\nA=1\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"LongerHeaderIsOtherSection", "[X]y]\r\nK=1\r\n\r\n", "X", 1, "[X]y]\r\nK=1\r\n\r\n[X]\r\nK=V\r\n\r\n"},
    {"HeaderWithTextAfterIsNoSection", "[S] x\r\nK=1\r\n\r\n", "S", 1, "[S] x\r\nK=1\r\n\r\n[S]\r\nK=V\r\n\r\n"},
    {"LoneFinalReturnEndsSection", "[S]\r\nA=1\r\n\r", "S", 1, "[S]\r\nA=1\r\nK=\r\n\r\n", "K", ""},
    {"HeaderBeforeLoneFinalReturn", "[S]\r", "S", 1, NewSection},
    {"BlanksAfterHeader", "[S] \t\r\nK=1\r\n\r\n", "S", 1, "[S] \t\r\nK=2\r\n\r\n", "K", "2"},
};

void PrintTo(const WriteCase& row, std::ostream* out) { *out << row.Name; }

class ProfileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, WritesExactBytes) {
  const WriteCase& row = GetParam();
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  if (row.Before != nullptr)
    WriteAll(file, row.Before);
  EXPECT_EQ(WriteProfileStringEx(file.c_str(), row.Section, row.Key, row.Value), row.Result);
  const char* expected = row.After != nullptr ? row.After : row.Before;
  EXPECT_EQ(std::filesystem::exists(file), expected != nullptr);
  if (expected != nullptr) {
    EXPECT_EQ(ReadAll(file), expected);
  }
  EXPECT_EQ(folder.Count(), expected != nullptr ? 1 : 0) << "a temporary file was left";
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWriteTest, ::testing::ValuesIn(WriteCases),
                         [](const auto& info) { return std::string(info.param.Name); });

struct ReadCase {
  const char* Name;
  const char* Image; // null: no file
  const char* Section;
  const char* Key;
  int Result;
  const char* Value;
};

const ReadCase ReadCases[] = {
    {"ValueFound", "[T]\r\nK=0\r\n\r\n[S]\r\nA=1\r\nK= x =y\r\n\r\n", "S", "K", 1, " x =y"},
    {"FirstOfDuplicates", "[S]\r\nK=1\r\nK=2\r\n\r\n", "S", "K", 1, "1"},
    {"LongerNameIsOtherKey", "[S]\r\nKX=1\r\n\r\n", "S", "K", 0, ""},
    {"KeyAfterEmptyLineMissing", "[S]\r\nA=1\r\n\r\nK=1\r\n", "S", "K", 0, ""},
    {"LastLineWithoutLineEnd", "[S]\r\nK=12", "S", "K", 1, "12"},
    {"LineFeedLineEnds", "[S]\nK=12\n", "S", "K", 1, "12"},
    {"KeyWithEqualsNamesNoLine", "[S]\r\nK=1=2\r\n", "S", "K=1", 0, ""},
    {"SectionWithBrackets", "[Line[1]]\r\nK=1\r\n\r\n[Line[2]]\r\nK=2\r\n\r\n", "Line[2]", "K", 1, "2"},
    {"LoneLineFeedInsideCrLfSection", "[S]\r\nA=1\r\n\nB=2\r\n\r\n", "S", "B", 1, "2"},
    {"LoneLineFeedEndsLineFeedSection", "[S]\nA=1\n\nB=2\n", "S", "B", 0, ""},
    {"EmptyKeyFindsLineWithoutEquals", "[S]\r\nA=1\r\nxyz\r\n=v\r\n\r\n", "S", "", 1, "yz"},
    {"EmptyKeyFindsEmptyName", "[S]\r\nA=1\r\n=v\r\n\r\n", "S", "", 1, "v"},
    {"MissingFile", nullptr, "S", "K", 0, ""},
    {"LoneFinalReturnEndsLastLine", "[S]\r\nK=12\r", "S", "K", 1, "12"},
    {"SectionNamedByWholeHeaderLine", "[X]y]\r\nK=1\r\n\r\n", "X]y", "K", 1, "1"},
    {"BracketsInNameNeedTheirClosingBracket", "[Line[2]]\r\nK=2\r\n\r\n", "Line[2", "K", 0, ""},
    {"BlanksAroundHeader", " \t[S] \t\r\nK=1\r\n\r\n", "S", "K", 1, "1"},
    {"LineWithTextAfterBracketIsNoHeader", "[S]\r\nA=1\r\n[T] note\r\nK=1\r\n\r\n", "S", "K", 1, "1"},
};

TEST(ProfileReadTest, ReadsEveryCase) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  for (const ReadCase& row : ReadCases) {
    SCOPED_TRACE(row.Name);
    row.Image != nullptr ? WriteAll(file, row.Image) : void(std::filesystem::remove(file));
    CString value("marker");
    EXPECT_EQ(GetProfileStringEx(file.c_str(), row.Section, row.Key, value), row.Result);
    EXPECT_STREQ(value, row.Value);
  }
}

/// The lines of bytes as ReadStringEx hands them out with limit, with the position after each.
std::vector<std::pair<std::string, LONG>> ReadLines(const std::string& path, UINT limit) {
  std::vector<std::pair<std::string, LONG>> lines;
  CFile file;
  EXPECT_TRUE(file.Open(path.c_str(), CFile::modeRead));
  CString line;
  do {
    ReadStringEx(&file, limit == 0 ? file.GetLength() : limit, line);
    lines.emplace_back(std::string(line, static_cast<size_t>(line.GetLength())), file.Seek(0, CFile::current));
  } while (!line.IsEmpty());
  return lines;
}

/// Cuts bytes after each LF, and after limit bytes where a line is longer.
std::vector<std::pair<std::string, LONG>> CutLines(const std::string& bytes, size_t limit) {
  std::vector<std::pair<std::string, LONG>> lines;
  for (size_t begin = 0; begin < bytes.size();) {
    const size_t lineFeed = bytes.find('\n', begin);
    size_t end = lineFeed == std::string::npos ? bytes.size() : lineFeed + 1;
    end = std::min(end, begin + limit);
    lines.emplace_back(bytes.substr(begin, end - begin), static_cast<LONG>(end));
    begin = end;
  }
  lines.emplace_back("", static_cast<LONG>(bytes.size()));
  return lines;
}

TEST(ReadStringExTest, HandsOutEveryLineWithItsPosition) {
  std::string many;
  for (int number = 0; number < 3000; ++number)
    many += "Key" + std::to_string(number) + "=" + std::string(static_cast<size_t>(number % 300), 'v') + "\r\n";
  // Built before the table: inside it, GCC 12 takes the copy for a read past the table's end.
  std::string longFirstLine(1000, 'a');
  longFirstLine += "\r\nb\r\n";
  const struct {
    const char* Name;
    std::string Bytes;
    UINT Limit; // 0: the file's length
  } rows[] = {
      {"Section", "[S]\r\nK=1\r\n\r\nlast", 0},   {"LineFeedsOnly", "\n\n\nx\n", 0},
      {"LongerThanFirstPiece", longFirstLine, 0}, {"LimitCutsLines", "[S]\r\nKey=12345\r\n", 4},
      {"AcrossReadAheadBlocks", many, 0},         {"Empty", "", 0},
  };
  TempFolder folder;
  const std::string file = folder / "lines";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    WriteAll(file, row.Bytes);
    EXPECT_EQ(ReadLines(file, row.Limit), CutLines(row.Bytes, row.Limit == 0 ? row.Bytes.size() + 1 : row.Limit));
  }
  CString line("marker");
  ReadStringEx(nullptr, 10, line);
  EXPECT_STREQ(line, "");
}
} // namespace
