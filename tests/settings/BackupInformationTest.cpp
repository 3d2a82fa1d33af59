#include "tests/TempFiles.h"
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/BackupInformation.h>

#include <cstring>
#include <gtest/gtest.h>

namespace {
TEST(BackupInformationTest, AcceptsOnlyTheStoredProduct) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, "[StationX-Module1]\r\nProduct=ZO4a21 voltage\r\nModuleInf=a 1,\r\n\r\n"
                 "[StationX-Module2]\r\nProduct=ZO4a21\r\nModuleInf=\r\n\r\n"
                 "[StationX-Module3]\r\nProduct=ZO4a21\r\nModuleInf=b 2,\r\n\r\n[StationX]\r\nDatabase=db\r\n\r\n");
  CStation station;
  station.Name = "X";
  CModule modules[3];
  for (int slot = 1; slot <= 3; ++slot) {
    std::strcpy(modules[slot - 1].ProductName, slot == 3 ? "ZO4b10" : "ZO4a21");
    station.ModuleMap.SetAt(slot, &modules[slot - 1]);
  }
  GetDataBase()->StationMap.SetAt(7, &station);
  const struct {
    WORD Station, Slot;
    int Result;
    const char* Info;
  } rows[] = {{7, 1, 1, "a 1,"}, {7, 2, 0, ""}, {7, 3, 0, ""}, {7, 4, 0, ""}, {8, 1, 0, ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.Station << " " << row.Slot);
    CString info("marker");
    EXPECT_EQ(GetModuleBackupInfFile(row.Station, row.Slot, info, file.c_str()), row.Result);
    EXPECT_STREQ(info, row.Info);
  }
  for (const auto& [id, name, expected] :
       {std::tuple<WORD, std::string, const char*>{7, file, "db"}, {8, file, ""}, {7, folder / "missing", ""}}) {
    CString info("marker");
    EXPECT_EQ(GetStationBackupInf(id, info, name.c_str()), 1);
    EXPECT_STREQ(info, expected);
  }
  station.ModuleMap.RemoveAll();
  GetDataBase()->StationMap.RemoveKey(7);
}
} // namespace
