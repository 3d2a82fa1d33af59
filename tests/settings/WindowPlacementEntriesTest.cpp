#include "entry/LibraryEntry.h"
#include "settings/ProfileFile.h"
#include "settings/WindowPlacementEntries.h"
#include "tests/TempFiles.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
WINDOWPLACEMENT Marked() {
  WINDOWPLACEMENT placement;
  std::memset(&placement, 0x5A, sizeof placement);
  return placement;
}

TEST(WindowPlacementEntriesTest, ScansTenNumbersOrNothing) {
  const struct {
    const char* Text;
    bool Complete;
  } rows[] = {
      {"0,1,-1,-1,-1,-1,10,20,300,400", true}, {"0,1,-1,-1,-1,-1,10,20,300,400,7 junk", true},
      {"0,1,-1,-1,-1,-1,10,20,300", false},    {"0,1,-1,-1,-1,-1,10,20,300,x", false},
      {"0;1,-1,-1,-1,-1,10,20,300,400", false}, {"", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text);
    WINDOWPLACEMENT placement = Marked();
    EXPECT_EQ(ScanWindowPlacement(row.Text, placement), row.Complete);
    const WINDOWPLACEMENT expected = row.Complete ? WINDOWPLACEMENT{44, 0, 1, {-1, -1}, {-1, -1}, {10, 20, 300, 400}}
                                                  : Marked();
    EXPECT_EQ(std::memcmp(&placement, &expected, sizeof placement), 0);
  }
}

TEST(WindowPlacementEntriesTest, ExtremeValuesRoundTrip) {
  const WINDOWPLACEMENT extreme{0, 0xFFFFFFFF, 0xFFFFFFFF, {INT32_MIN, INT32_MIN}, {INT32_MIN, INT32_MIN},
                                {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}};
  const CString text = FormatWindowPlacement(extreme);
  EXPECT_EQ(text.GetLength(), 117);
  WINDOWPLACEMENT back = Marked();
  ASSERT_TRUE(ScanWindowPlacement(text, back));
  EXPECT_EQ(back.length, 44u);
  EXPECT_EQ(std::memcmp(&back.flags, &extreme.flags, 40), 0);
}

TEST(WindowPlacementEntriesTest, EntriesGoToTheirSections) {
  TempFolder folder;
  CGUIDatabase& database = *GetDataBase();
  CStation station;
  station.Name = "X";
  database.StationMap.SetAt(7, &station);
  database.SetCurrentPath(folder.Path.string().c_str());
  const std::string file = folder / "Mardel.tmp";
  const WINDOWPLACEMENT main{44, 0, 1, {-1, -1}, {-1, -1}, {10, 20, 300, 400}};
  WINDOWPLACEMENT module = main;
  module.rcNormalPosition.right = 333;
  WriteWindowPlacement(&main, file.c_str());
  WriteWindowPlacementEx(&module, 7, -9, file.c_str());
  WriteWindowPlacementEx(&module, 8, 1, file.c_str());
  EXPECT_EQ(ReadAll(file), "[Settings]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\r\n\r\n"
                           "[StationX-Module-9]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,333,400\r\n\r\n");
  WINDOWPLACEMENT read = Marked();
  EXPECT_EQ(ReadWindowPlacement(&read), 1);
  EXPECT_EQ(std::memcmp(&read, &main, sizeof read), 0);
  EXPECT_EQ(ReadWindowPlacementEx(&read, 7, -9), 1);
  EXPECT_EQ(read.rcNormalPosition.right, 333);
  EXPECT_EQ(ReadWindowPlacementExFile(&read, 7, 1, file.c_str()), 0);
  EXPECT_EQ(ReadWindowPlacementExFile(&read, 8, -9, file.c_str()), 0);
  EXPECT_EQ(ReadWindowPlacementFile(nullptr, file.c_str()), 0);
  database.StationMap.RemoveKey(7);
  database.SetCurrentPath("");
}
} // namespace
