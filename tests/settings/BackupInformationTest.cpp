#include "tests/TempFiles.h"
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/BackupInformation.h>
#include <zodavudaz/settings/ProfileCause.h>

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
  const std::string missing = folder / "missing", other = folder / "other";
  WriteAll(other, "[StationX]\r\nConfig=1\r\n\r\n[StationX-Module1]\r\nModuleInf=a 1,\r\n\r\n");
  // Slot 0 asks for the station's own information, which is 1 with empty text where the file
  // holds none; a module's information read whole but not accepted gives 0 without a cause.
  const struct {
    WORD Station, Slot;
    const std::string& File;
    int Result;
    const char* Info;
    ProfileCause Cause;
  } rows[] = {{7, 1, file, 1, "a 1,", ProfileCause::None},
              {7, 2, file, 0, "", ProfileCause::None},
              {7, 3, file, 0, "", ProfileCause::None},
              {7, 4, file, 0, "", ProfileCause::MissingSection},
              {8, 1, file, 0, "", ProfileCause::MissingSection},
              {7, 1, missing, 0, "", ProfileCause::MissingFile},
              {7, 2, other, 0, "", ProfileCause::MissingSection},
              {7, 1, other, 0, "", ProfileCause::MissingKey},
              {7, 0, file, 1, "db", ProfileCause::None},
              {8, 0, file, 1, "", ProfileCause::MissingSection},
              {7, 0, missing, 1, "", ProfileCause::MissingFile},
              {7, 0, other, 1, "", ProfileCause::MissingKey}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.Station << " " << row.Slot << " " << row.File);
    CString info("marker");
    EXPECT_EQ(row.Slot == 0 ? GetStationBackupInf(row.Station, info, row.File.c_str())
                            : GetModuleBackupInfFile(row.Station, row.Slot, info, row.File.c_str()),
              row.Result);
    EXPECT_STREQ(info, row.Info);
    EXPECT_EQ(GetLastProfileCause(), row.Cause);
  }
  station.ModuleMap.RemoveAll();
  GetDataBase()->StationMap.RemoveKey(7);
}
} // namespace
