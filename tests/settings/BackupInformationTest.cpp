#include "entry/LibraryEntry.h"
#include "settings/BackupInformation.h"
#include "tests/TempFiles.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
TEST(BackupInformationTest, AcceptsOnlyTheStoredProduct) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, "[StationX-Module1]\r\nProduct=ZO4a21 voltage\r\nModuleInf=a 1,\r\n\r\n"
                 "[StationX-Module2]\r\nProduct=ZO4a21\r\nModuleInf=\r\n\r\n"
                 "[StationX]\r\nDatabase=db\r\n\r\n");
  CGUIDatabase& database = *GetDataBase();
  CStation station;
  station.Name = "X";
  CModule first, second, other;
  std::strcpy(first.ProductName, "ZO4a21");
  std::strcpy(second.ProductName, "ZO4a21");
  std::strcpy(other.ProductName, "ZO4b10");
  station.ModuleMap.SetAt(1, &first);
  station.ModuleMap.SetAt(2, &second);
  database.StationMap.SetAt(7, &station);
  const struct {
    const char* Name;
    WORD Station, Slot;
    int Result;
    const char* Info;
  } rows[] = {
      {"Accepted", 7, 1, 1, "a 1,"},  {"EmptyEntry", 7, 2, 0, ""}, {"ModuleNotFiled", 7, 3, 0, ""},
      {"StationNotFiled", 8, 1, 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    CString info("marker");
    EXPECT_EQ(GetModuleBackupInfFile(row.Station, row.Slot, info, file.c_str()), row.Result);
    EXPECT_STREQ(info, row.Info);
  }
  station.ModuleMap.SetAt(1, &other);
  CString info("marker");
  EXPECT_EQ(GetModuleBackupInfFile(7, 1, info, file.c_str()), 0);
  EXPECT_STREQ(info, "");
  for (const auto& [id, expected] : {std::pair<WORD, const char*>{7, "db"}, {8, ""}}) {
    EXPECT_EQ(GetStationBackupInf(id, info, file.c_str()), 1);
    EXPECT_STREQ(info, expected);
  }
  EXPECT_EQ(GetStationBackupInf(7, info, (folder / "missing").c_str()), 1);
  EXPECT_STREQ(info, "");
  station.ModuleMap.RemoveAll();
  database.StationMap.RemoveKey(7);
}
} // namespace
