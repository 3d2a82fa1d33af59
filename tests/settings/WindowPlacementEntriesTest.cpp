#include "tests/TempFiles.h"
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

#include <cstring>
#include <gtest/gtest.h>

namespace {
const WINDOWPLACEMENT Stored{44, 0, 1, {-1, -1}, {-1, -1}, {10, 20, 300, 400}};

bool Equal(const WINDOWPLACEMENT& a, const WINDOWPLACEMENT& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Both builds read out-of-range numbers as the 32-bit build always has: saturated.
const WINDOWPLACEMENT Saturated{44, 0xFFFFFFFF, 0xFFFFFFFF, {INT32_MAX, INT32_MIN}, {INT32_MAX, 0}, {0, 0, 0, 0}};

TEST(WindowPlacementEntriesTest, ScansTenNumbersOrNothing) {
  WINDOWPLACEMENT marked;
  std::memset(&marked, 0x5A, sizeof marked);
  // What the text reads as; null: the placement stays as it was.
  const std::pair<const char*, const WINDOWPLACEMENT*> rows[] = {
      {"0,1,-1,-1,-1,-1,10,20,300,400,7 junk", &Stored},
      {"4294967297,-1,99999999999,-99999999999,2147483648,0,0,0,0,0", &Saturated},
      {"0,1,-1,-1,-1,-1,10,20,300", nullptr},
      {"0,1,-1,-1,-1,-1,10,20,300,x", nullptr},
      {"0;1,-1,-1,-1,-1,10,20,300,400", nullptr},
      {"", nullptr}};
  for (const auto& [text, expected] : rows) {
    SCOPED_TRACE(text);
    WINDOWPLACEMENT placement = marked;
    EXPECT_EQ(ScanWindowPlacement(text, placement), expected != nullptr);
    EXPECT_TRUE(Equal(placement, expected != nullptr ? *expected : marked));
  }
  // The longest text: every number at its widest.
  constexpr int Min = INT32_MIN;
  const WINDOWPLACEMENT extreme{44, 0xFFFFFFFF, 0xFFFFFFFF, {Min, Min}, {Min, Min}, {Min, Min, Min, Min}};
  const CString text = FormatWindowPlacement(extreme);
  EXPECT_EQ(text.GetLength(), 117);
  EXPECT_TRUE(ScanWindowPlacement(text, marked) && Equal(marked, extreme));
}

TEST(WindowPlacementEntriesTest, EntriesGoToTheirSections) {
  TempFolder folder;
  CStation station;
  station.Name = "X";
  GetDataBase()->StationMap.SetAt(7, &station);
  GetDataBase()->SetCurrentPath(folder.Path.string().c_str());
  const std::string file = folder / "Mardel.tmp";
  WINDOWPLACEMENT module = Stored;
  module.rcNormalPosition.right = 333;
  WriteWindowPlacement(&Stored, file.c_str());
  WriteWindowPlacementEx(&module, 7, -9, file.c_str());
  WriteWindowPlacementEx(&module, 8, 1, file.c_str());
  EXPECT_EQ(ReadAll(file), "[Settings]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\r\n\r\n"
                           "[StationX-Module-9]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,333,400\r\n\r\n");
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::MissingSection) << "station 8 is not filed";
  WINDOWPLACEMENT read{};
  EXPECT_TRUE(ReadWindowPlacement(&read) == 1 && Equal(read, Stored));
  EXPECT_TRUE(ReadWindowPlacementEx(&read, 7, -9) == 1 && Equal(read, module));
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::None);
  EXPECT_EQ(ReadWindowPlacementExFile(&read, 7, 1, file.c_str()), 0);
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::MissingSection);
  EXPECT_EQ(ReadWindowPlacementExFile(&read, 8, -9, file.c_str()), 0);
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::MissingSection);
  EXPECT_EQ(ReadWindowPlacementFile(nullptr, file.c_str()), 0);
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::RefusedName);
  EXPECT_EQ(ReadWindowPlacementFile(&read, (folder / "missing").c_str()), 0);
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::MissingFile);
  // A text that is not ten numbers was read whole: a 0 without a cause.
  WriteAll(file, "[Settings]\r\nWindowPos=1,2\r\n\r\n");
  EXPECT_EQ(ReadWindowPlacementFile(&read, file.c_str()), 0);
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::None);
  GetDataBase()->StationMap.RemoveKey(7);
  GetDataBase()->SetCurrentPath("");
}
} // namespace
