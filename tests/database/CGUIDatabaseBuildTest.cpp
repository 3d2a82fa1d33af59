#include "database/CGUIDatabase.h"
#include "tests/TempFiles.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {
const HTREEITEM SomeItem = reinterpret_cast<HTREEITEM>(0x1234);

class CGUIDatabaseBuildTest : public ::testing::Test {
protected:
  CGUIDatabaseBuildTest() {
    Station.Name = "X";
    Database.StationMap.SetAt(7, &Station);
  }
  ~CGUIDatabaseBuildTest() override { Station.ModuleMap.RemoveAll(); }

  /// A module filed under id with its slot marked, every byte of its trigger settings 0x5A.
  CModule& File(WORD id, bool exists = true) {
    Modules[ModuleCount].reset(new CModule);
    CModule& module = *Modules[ModuleCount++];
    std::strcpy(module.ProductName, "P1");
    std::memset(&module.ActOnTrigInfo, 0x5A, sizeof module.ActOnTrigInfo);
    module.TreeItem = SomeItem;
    Station.ModuleMap.SetAt(id, &module);
    if (id < StationSlotCount)
      Station.ModuleExist[id] = exists;
    return module;
  }

  CString Update(const std::string& image) {
    WriteAll(Folder / "Mardel.tmp", image);
    CString backup("marker");
    Database.UpdateDataBaseEx((Folder / "Mardel.tmp").c_str(), 7, backup);
    return backup;
  }

  static bool IsReset(const ActOnTrigInfo& info) {
    return info.Reserved0 == 0x5A && info.TrigSetting1 == 0 && info.TrigSetting2 == 0 && info.TrigSetting3 == 1 &&
           info.TrigSetting4 == 1 && info.TrigSetting5 == 0 && info.TrigSetting6 == 0 && info.TrigSetting7 == 0 &&
           info.TrigSetting8 == 0 && info.Reserved9[6] == 0x5A && info.TrigValue == 1000000 && info.FileNum == 10 &&
           info.FileStartNo == 0 && std::strcmp(info.SaveDirectory, "c:\\ZIZIDE\\") == 0 && info.SaveFileName[0] == 0;
  }

  TempFolder Folder;
  CGUIDatabase Database;
  CStation Station;
  std::unique_ptr<CModule> Modules[8];
  int ModuleCount = 0;
};

const char StoredImage[] = "[StationX-Module-9]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\r\n\r\n"
                           "[StationX]\r\nConfig=a 5,b 6,c 7,d 8,e 9,f 10,g 11,\r\nDatabase=db;;x\r\n\r\n"
                           "[StationX-Module1]\r\nWindowPos=0,1,0,0,0,0,1,2,3,4\r\nProduct=P1 module\r\n"
                           "ModuleInf=s 2,b 3,c 4,d 5,t 6,t 7,t 8,t 265,v -3,n 20,f 7x,t 11,t 12,t 13,"
                           "dir c:\\a;;b,name x,y;;\r\nConfig=a 1,b 2,c 3,\r\n\r\n";

TEST_F(CGUIDatabaseBuildTest, StoredStateIsLoaded) {
  CModule& bare = File(0);
  CModule& stored = File(1);
  CModule& extra = File(0x12);
  extra.WindowRight = 5;
  EXPECT_STREQ(Update(StoredImage), "db;;x");
  EXPECT_EQ(Station.WindowRect, CRect(10, 20, 300, 400));
  EXPECT_EQ(std::vector<LONG>(Station.StationConfig, Station.StationConfig + 7), (std::vector<LONG>{5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(bare.WindowRight, 65537);
  EXPECT_EQ(bare.WindowBottom, 65537);
  EXPECT_EQ((std::vector<int>{bare.GuiSimpleMode, bare.BackupSetting2, bare.BackupSetting3, bare.BackupSetting4}),
            (std::vector<int>{0, 1, 0xFF, 0xFF}));
  EXPECT_EQ(std::vector<LONG>(bare.ModuleConfig, bare.ModuleConfig + 3), (std::vector<LONG>{1, 1, 1}));
  EXPECT_EQ(stored.WindowRight, 3);
  EXPECT_EQ(stored.WindowBottom, 4);
  EXPECT_EQ(std::vector<LONG>(stored.ModuleConfig, stored.ModuleConfig + 3), (std::vector<LONG>{1, 2, 3}));
  const ActOnTrigInfo& trig = stored.ActOnTrigInfo;
  EXPECT_EQ((std::vector<int>{stored.GuiSimpleMode, stored.BackupSetting2, stored.BackupSetting3, stored.BackupSetting4,
                              trig.TrigSetting1, trig.TrigSetting2, trig.TrigSetting3, trig.TrigSetting8, trig.TrigValue,
                              trig.FileNum, trig.FileStartNo, trig.TrigSetting6, trig.TrigSetting4, trig.TrigSetting5,
                              trig.TrigSetting7, trig.Reserved0}),
            (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, -3, 20, 7, 11, 12, 13, 0, 0x5A}));
  EXPECT_STREQ(trig.SaveDirectory, "c:\\a\r\nb");
  EXPECT_STREQ(trig.SaveFileName, "name x,y\r\n");
  EXPECT_TRUE(IsReset(bare.ActOnTrigInfo));
  EXPECT_EQ(bare.TreeItem, nullptr);
  EXPECT_EQ(stored.TreeItem, nullptr);
  EXPECT_EQ(extra.TreeItem, SomeItem);
  EXPECT_EQ(extra.WindowRight, 5) << "extra modules are not visited";
}

TEST_F(CGUIDatabaseBuildTest, NothingStoredGivesDefaults) {
  CModule& module = File(1);
  Station.WindowRect = CRect(1, 2, 3, 4);
  module.WindowRight = 5;
  module.ModuleConfig[0] = 9;
  EXPECT_STREQ(Update("[StationY]\r\nConfig=a 5,\r\n\r\n"), "");
  EXPECT_EQ(Station.WindowRect, CRect());
  EXPECT_EQ(std::vector<LONG>(Station.StationConfig, Station.StationConfig + 7), (std::vector<LONG>{1, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(module.WindowRight, 65537);
  EXPECT_EQ(module.ModuleConfig[0], 1);
  EXPECT_TRUE(IsReset(module.ActOnTrigInfo));
  CString backup("marker");
  Database.UpdateDataBaseEx((Folder / "Mardel.tmp").c_str(), 8, backup);
  EXPECT_STREQ(backup, "marker");
}

TEST_F(CGUIDatabaseBuildTest, ConfigListsAreReadEntryByEntry) {
  const struct {
    const char* Config;
    std::vector<LONG> Values;
  } rows[] = {
      {"a 5,b 6,c 7,d 8,e 9,f 10,g 11", {5, 6, 7, 8, 9, 10, 106}},
      {"", {100, 101, 102, 103, 104, 105, 106}},
      {"5,x -3,y 7abc,z q,,, 9", {5, -3, 7, 103, 104, 105, 106}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Config);
    for (int index = 0; index < 7; ++index)
      Station.StationConfig[index] = 100 + index;
    Update(std::string("[StationX]\r\nConfig=") + row.Config + "\r\n\r\n");
    EXPECT_EQ(std::vector<LONG>(Station.StationConfig, Station.StationConfig + 7), row.Values);
  }
}

TEST_F(CGUIDatabaseBuildTest, MissingBackupResetsWholeStationAndTextsAreBounded) {
  CModule& stored = File(1);
  CModule& bare = File(2);
  const std::string image = "[StationX-Module1]\r\nProduct=P1\r\nModuleInf=s 3,,,,,,,,,,,,,,d " + std::string(300, 'd') +
                            "," + std::string(200, 'n') + "\r\n\r\n";
  Update(image);
  EXPECT_EQ(stored.GuiSimpleMode, 3);
  EXPECT_TRUE(IsReset(stored.ActOnTrigInfo)) << "the reset for slot 2 is station-wide";
  EXPECT_TRUE(IsReset(bare.ActOnTrigInfo));
  Station.ModuleMap.RemoveKey(2);
  Station.ModuleExist[2] = 0;
  Update(image);
  EXPECT_EQ(std::strlen(stored.ActOnTrigInfo.SaveDirectory), 255u);
  EXPECT_EQ(std::strlen(stored.ActOnTrigInfo.SaveFileName), 127u);
  EXPECT_EQ(stored.ActOnTrigInfo.TrigValue, 1000000) << "a number missing from the entry takes its default";
}

TEST_F(CGUIDatabaseBuildTest, ResetStopsAtMarkedSlotWithoutModule) {
  CModule* modules[] = {&File(0), &File(1, false), &File(2), &File(4)};
  Station.ModuleExist[3] = 1;
  Database.ResetActOnTrigDatabase(7);
  const bool expected[] = {true, false, true, false};
  for (int index = 0; index < 4; ++index)
    EXPECT_EQ(IsReset(modules[index]->ActOnTrigInfo), expected[index]) << index;
}

TEST_F(CGUIDatabaseBuildTest, UpdateDataBaseRestoresWindowDefaultsOnly) {
  CModule& module = File(1);
  Station.WindowRect = CRect(1, 2, 3, 4);
  Station.StationConfig[0] = 9;
  module.WindowBottom = module.ModuleConfig[0] = module.GuiSimpleMode = 5;
  Database.UpdateDataBase(7);
  EXPECT_EQ(Station.WindowRect, CRect());
  EXPECT_EQ(module.WindowBottom, 65537);
  EXPECT_TRUE(IsReset(module.ActOnTrigInfo));
  EXPECT_EQ(module.TreeItem, nullptr);
  EXPECT_EQ(Station.StationConfig[0] + module.ModuleConfig[0] + module.GuiSimpleMode, 9 + 5 + 5);
}
} // namespace
