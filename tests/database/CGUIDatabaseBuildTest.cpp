#include "tests/TempFiles.h"
#include <zodavudaz/database/CGUIDatabase.h>

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {
const HTREEITEM SomeItem = reinterpret_cast<HTREEITEM>(0x1234);

template <typename T, size_t N>
std::vector<long> Values(const T (&array)[N]) {
  return std::vector<long>(array, array + N);
}

std::vector<long> Numbers(const CModule& module) {
  const ActOnTrigInfo& trig = module.ActOnTrigInfo;
  return {module.GuiSimpleMode, module.BackupSetting2, module.BackupSetting3, module.BackupSetting4, trig.TrigSetting1,
          trig.TrigSetting2,    trig.TrigSetting3,     trig.TrigSetting8,     trig.TrigValue,        trig.FileNum,
          trig.FileStartNo,     trig.TrigSetting6,     trig.TrigSetting4,     trig.TrigSetting5,     trig.TrigSetting7,
          trig.Reserved0,       trig.Reserved9[6]};
}

/// The trigger settings after a reset; the bytes the reset keeps were 0x5A.
bool IsReset(const CModule& module) {
  const std::vector<long> numbers = Numbers(module);
  return std::vector<long>(numbers.begin() + 4, numbers.end()) ==
             std::vector<long>{0, 0, 1, 0, 1000000, 10, 0, 0, 1, 0, 0, 0x5A, 0x5A} &&
         std::strcmp(module.ActOnTrigInfo.SaveDirectory, "c:\\ZIZIDE\\") == 0 && !module.ActOnTrigInfo.SaveFileName[0];
}

class CGUIDatabaseBuildTest : public ::testing::Test {
protected:
  CGUIDatabaseBuildTest() {
    Station.Name = "X";
    Database.StationMap.SetAt(7, &Station);
  }
  ~CGUIDatabaseBuildTest() override { Station.ModuleMap.RemoveAll(); }

  /// A module of product "P1" filed under id (its slot marked when exists), trigger bytes 0x5A.
  CModule& File(WORD id, bool exists = true) {
    CModule& module = Modules[Count++];
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

  TempFolder Folder;
  CGUIDatabase Database;
  CStation Station;
  CModule Modules[4];
  int Count = 0;
};

// A header is a whole line, blanks after it aside: "[StationX] old" and "[StationX]-Module1]" are
// other sections.
TEST_F(CGUIDatabaseBuildTest, StoredStateIsLoaded) {
  CModule& bare = File(0);
  CModule& stored = File(1);
  CModule& extra = File(0x12);
  extra.WindowRight = 5;
  EXPECT_STREQ(Update("[StationX] old\r\nDatabase=old\r\n\r\n[StationX]-Module1]\r\nDatabase=other\r\n\r\n"
                      "[StationX-Module-9]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\r\n\r\n"
                      "[StationX]  \r\nConfig=a 5,b 6,c 7,d 8,e 9,f 10,g 11,\r\nDatabase=db;;x\r\n\r\n"
                      "[StationX-Module1]\r\nWindowPos=0,1,0,0,0,0,1,2,3,4\r\nProduct=P1 module\r\n"
                      "ModuleInf=s 2,b 3,c 4,d 5,t 6,t 7,t 8,t 265,v -3,n 20,f 7x,t 11,t 12,t 13,"
                      "dir c:\\a;;b,name x,y;;\r\nConfig=a 1,b 2,c 3,\r\n\r\n"),
               "db;;x");
  EXPECT_EQ(Station.WindowRect, CRect(10, 20, 300, 400));
  EXPECT_EQ(Values(Station.StationConfig), (std::vector<long>{5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ((std::vector<long>{bare.WindowRight, bare.WindowBottom, stored.WindowRight, stored.WindowBottom}),
            (std::vector<long>{65537, 65537, 3, 4}));
  EXPECT_EQ(Values(bare.ModuleConfig), (std::vector<long>{1, 1, 1}));
  EXPECT_EQ(Values(stored.ModuleConfig), (std::vector<long>{1, 2, 3}));
  EXPECT_EQ(Numbers(bare), (std::vector<long>{0, 1, 0xFF, 0xFF, 0, 0, 1, 0, 1000000, 10, 0, 0, 1, 0, 0, 0x5A, 0x5A}));
  EXPECT_TRUE(IsReset(bare));
  // Slot 0's reset ran first and set the seventh trigger setting, which no entry holds.
  EXPECT_EQ(Numbers(stored), (std::vector<long>{2, 3, 4, 5, 6, 7, 8, 9, -3, 20, 7, 11, 12, 13, 0, 0x5A, 0x5A}));
  EXPECT_STREQ(stored.ActOnTrigInfo.SaveDirectory, "c:\\a\r\nb");
  EXPECT_STREQ(stored.ActOnTrigInfo.SaveFileName, "name x,y\r\n");
  EXPECT_EQ(bare.TreeItem, nullptr);
  EXPECT_EQ(extra.TreeItem, SomeItem) << "extra modules are not visited";
  EXPECT_EQ(extra.WindowRight, 5);
}

TEST_F(CGUIDatabaseBuildTest, ConfigListsAreReadEntryByEntry) {
  const struct {
    /// The "Config" entry; null for none stored.
    const char* Config;
    std::vector<long> Values;
  } rows[] = {
      {"a 5,b 6,c 7,d 8,e 9,f 10,g 11", {5, 6, 7, 8, 9, 10, 106}},
      {"", {100, 101, 102, 103, 104, 105, 106}},
      {"5,x -3,y 7abc,z q,,, 9", {5, -3, 7, 103, 104, 105, 106}},
      {nullptr, {1, 1, 1, 1, 1, 1, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Config != nullptr ? row.Config : "no entry");
    for (int index = 0; index < 7; ++index)
      Station.StationConfig[index] = 100 + index;
    Update(row.Config != nullptr ? "[StationX]\r\nConfig=" + std::string(row.Config) + "\r\n\r\n" : "");
    EXPECT_EQ(Values(Station.StationConfig), row.Values);
  }
}

TEST_F(CGUIDatabaseBuildTest, MissingBackupResetsWholeStationAndTextsAreBounded) {
  CModule& stored = File(1);
  CModule& bare = File(2);
  const std::string image = "[StationX-Module1]\r\nProduct=P1\r\nModuleInf=s 3,,,,,,,,,,,,,,d " +
                            std::string(300, 'd') + "," + std::string(200, 'n') + "\r\n\r\n";
  Update(image);
  EXPECT_EQ(stored.GuiSimpleMode, 3);
  EXPECT_TRUE(IsReset(stored)) << "the reset for slot 2 is station-wide";
  EXPECT_TRUE(IsReset(bare));
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
  EXPECT_EQ((std::vector<bool>{IsReset(*modules[0]), IsReset(*modules[1]), IsReset(*modules[2]), IsReset(*modules[3])}),
            (std::vector<bool>{true, false, true, false}));
}

TEST_F(CGUIDatabaseBuildTest, UpdateDataBaseRestoresWindowDefaultsOnly) {
  CModule& module = File(1);
  Station.WindowRect = CRect(1, 2, 3, 4);
  Station.StationConfig[0] = 9;
  module.WindowBottom = module.ModuleConfig[0] = module.GuiSimpleMode = 5;
  Database.UpdateDataBase(7);
  EXPECT_EQ(Station.WindowRect, CRect());
  EXPECT_EQ(module.WindowBottom, 65537);
  EXPECT_TRUE(IsReset(module));
  EXPECT_EQ(module.TreeItem, nullptr);
  EXPECT_EQ(Station.StationConfig[0] + module.ModuleConfig[0] + module.GuiSimpleMode, 9 + 5 + 5);
}
} // namespace
