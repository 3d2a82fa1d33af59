#include "tests/database/DatabaseFixture.h"

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {
HTREEITEM Item(int n) { return reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(n)); }
} // namespace

class LookupsTest : public DatabaseFixture {};

// The applications may file null records; every walk passes over them.
TEST_F(LookupsTest, WalkingLookupsReturnTheFirstInMapOrderPassingOverNullRecords) {
  CStation& one = FileStation(1, "Twin");
  CStation& two = FileStation(2, "Twin");
  CStation& sixteen = FileStation(16, "Twin");
  Database.StationMap.SetAt(4, nullptr);
  one.ListIndex = two.ListIndex = sixteen.ListIndex = 4;
  one.TreeItem = two.TreeItem = sixteen.TreeItem = Item(9);
  CStation* found = nullptr;
  ASSERT_EQ(Database.GetStationInf(CString("Twin"), &found), 1);
  EXPECT_EQ(found, &two);
  ASSERT_EQ(Database.GetStationListInf(4, &found), 1);
  EXPECT_EQ(found, &two);
  ASSERT_EQ(Database.GetStationTreeInf(Item(9), &found), 1);
  EXPECT_EQ(found, &two);
  EXPECT_EQ(Database.GetStationListInf(3, &found), 0);
  EXPECT_EQ(Database.GetStationTreeInf(Item(8), &found), 0);
  EXPECT_EQ(Database.GetStationInf(CString("twin"), &found), 0);
  EXPECT_EQ(found, nullptr);
  // The module look-up visits stations, then their modules, in map order.
  CStation& first = FileStation(17);
  CStation& second = FileStation(3);
  first.TreeItem = Item(5);
  CModule& later = FileModule(first, 1);
  CModule& earlier = FileModule(second, 2);
  FileModule(second, 1).TreeItem = Item(6);
  second.ModuleMap.SetAt(7, nullptr);
  later.TreeItem = earlier.TreeItem = nullptr;
  CModule* module = nullptr;
  ASSERT_EQ(Database.GetModuleTreeInf(nullptr, &module), 1);
  EXPECT_EQ(module, &earlier);
  EXPECT_EQ(Database.GetModuleTreeInf(Item(5), &module), 0) << "station items are not compared";
  EXPECT_EQ(module, nullptr);
}

TEST_F(LookupsTest, SameStationNameNeverCountsTheGivenStation) {
  FileStation(1, "Alpha");
  FileStation(2, "Bravo");
  Database.StationMap.SetAt(3, nullptr);
  // Name, station, answer.
  const std::tuple<const char*, WORD, int> rows[] = {
      {"Alpha", 1, 0}, {"Alpha", 2, 1}, {"Alpha", 99, 1}, {"alpha", 2, 0}};
  for (const auto& [name, station, same] : rows)
    EXPECT_EQ(Database.IsSameStationName(name, station), same) << name << station;
}

TEST_F(LookupsTest, FrontEndAndModuleWalksAndResetsPassOverNullRecords) {
  CStation& frontEnds = FileStation(0);
  CStation& station = FileStation(1, "Alpha");
  Database.StationMap.SetAt(2, nullptr);
  frontEnds.ModuleMap.SetAt(0x12, nullptr);
  Database.RegistFrontendUsedModule(0x12, 1, 2);
  FileModule(frontEnds, 0x13).UsedModuleMap.SetAt(0x99, nullptr);
  Database.RegistFrontendUsedModule(0x13, 1, 2);
  station.ModuleMap.SetAt(1, nullptr);
  CModule& module = FileModule(station, 2);
  station.ModuleExist[1] = station.ModuleExist[2] = 1;
  CModule* foundModule = nullptr;
  EXPECT_EQ(Database.GetModuleInf(1, 2, &foundModule), 1);
  EXPECT_EQ(Database.GetModuleInf(1, 1, &foundModule), 0);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 2), 1);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 3), 0);
  // Each reset of the stored state reaches the filed module.
  CString backup;
  const std::pair<const char*, std::function<void()>> resets[] = {
      {"stored state", [&] { Database.UpdateDataBaseEx("/no/such/file", 1, backup); }},
      {"defaults", [&] { Database.UpdateDataBase(1); }},
      {"trigger reset", [&] { Database.ResetActOnTrigDatabase(1); }}};
  for (const auto& [name, reset] : resets) {
    SCOPED_TRACE(name);
    module.ActOnTrigInfo.TrigValue = 5;
    reset();
    EXPECT_EQ(module.ActOnTrigInfo.TrigValue, 1000000);
  }
  Database.Exit();
  EXPECT_EQ(Database.StationMap.GetCount(), 0);
}

// A slot joined to the next ends its group only as the station's last slot, which needs a slot count.
TEST_F(LookupsTest, SlotCountComesFromTheModelNameAndEndsAGroupByPosition) {
  const std::pair<const char*, BYTE> rows[] = {{"ZI400", 4}, {"RA800", 8}, {"xRA800-ZI400", 4}, {"ra800", 0}, {"", 0}};
  WORD id = 1;
  for (const auto& [model, slots] : rows) {
    SCOPED_TRACE(model);
    FileStation(id, "", model).ConnectStatus[4] = 1;
    EXPECT_EQ(Database.GetMaxSlot(id), slots);
    EXPECT_EQ(Database.CheckTerm(id, 4), slots == 4 ? 1 : 0);
    ++id;
  }
  EXPECT_EQ(Database.GetMaxSlot(999), 0);
  std::memset(FileStation(id).ModelName, 'R', sizeof(CStation::ModelName));
  EXPECT_EQ(Database.GetMaxSlot(id), 0) << "a model name filling its array is read no further";
}

TEST_F(LookupsTest, ConnectedGroupOfAnEightSlotStation) {
  // Slots 1, 2 and 3 form one group; slot 8 is joined to nothing beyond.
  CStation& station = FileStation(5, "G", "RA800");
  for (WORD slot : {1, 2, 8})
    station.ConnectStatus[slot] = 1;
  const struct {
    const char* Name;
    WORD Slot;
    BYTE Master;
    WORD ConnectNo;
    int Term;
    WORD ConnectNum;
  } rows[] = {
      {"master", 1, 1, 0, 0, 3},
      {"member", 2, 1, 1, 0, 2},
      {"terminal", 3, 1, 2, 1, 1},
      {"lone slot", 4, 4, 0, 1, 1},
      {"last slot joined", 8, 8, 0, 1, 1},
      {"beyond counted slots", 9, 8, 1, 1, 1},
      {"extra module", 0x12, 0x12, 0, 0, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(Database.SearchMaster(5, row.Slot), row.Master);
    EXPECT_EQ(Database.GetConnectNo(5, row.Slot), row.ConnectNo);
    EXPECT_EQ(Database.CheckTerm(5, row.Slot), row.Term);
    EXPECT_EQ(Database.GetConnectNum(5, row.Slot), row.ConnectNum);
  }
}

TEST_F(LookupsTest, SlotsOf256AndAboveAreAnsweredAsNotFiled) {
  CStation& station = FileStation(5, "G", "RA800");
  std::memset(station.ConnectStatus, 1, sizeof station.ConnectStatus);
  std::memset(station.ModuleExist, 1, sizeof station.ModuleExist);
  for (WORD slot : {WORD(0x100), WORD(0x103), WORD(0x110), WORD(0xFFFF)}) {
    SCOPED_TRACE(slot);
    EXPECT_EQ(Database.IsExistModule(5, slot), 0);
    EXPECT_EQ(Database.GetConnectStatus(5, slot), 0);
    EXPECT_EQ(Database.CheckMaster(5, slot), 0);
    EXPECT_EQ(Database.CheckTerm(5, slot), 0);
    EXPECT_EQ(Database.SearchMaster(5, slot), static_cast<BYTE>(slot));
    EXPECT_EQ(Database.GetConnectNum(5, slot), 1);
  }
}

TEST_F(LookupsTest, ProductNames) {
  CStation& frontEnds = FileStation(0);
  CStation& station = FileStation(3);
  std::strcpy(FileModule(frontEnds, 1).ProductName, "Viewer App");
  FileModule(station, 1).ProductWord = 0x12ABCD01;
  FileModule(station, 2).ProductWord = 0;
  // Station, module, result, name.
  const std::tuple<WORD, WORD, WORD, const char*> rows[] = {
      {0, 1, 0, "Viewer App"}, {3, 1, 0, "ZOabcd"}, {3, 2, 0, "ZO0"}, {3, 9, 0xFFFF, ""}, {8, 1, 0xFFFF, ""}};
  for (const auto& [station, module, result, text] : rows) {
    SCOPED_TRACE(std::to_string(station) + "/" + std::to_string(module));
    CString name("stale");
    EXPECT_EQ(Database.GetProductName(station, module, name), result);
    EXPECT_STREQ(name, text);
  }
}

TEST_F(LookupsTest, ModuleFactsFoundAndNotFound) {
  CModule& module = FileModule(FileStation(3), 0x21);
  module.AcqChannel = 12;
  module.GuiSimpleMode = 3;
  module.ScalingStatus = 5;
  const struct {
    WORD Station, Module;
    BYTE Flags;
    std::vector<int> Facts; // channels, save on trigger, scaling, simple mode, scaling status
  } rows[] = {{3, 0x21, 0x82, {12, 1, 1, 3, 1}},
              {3, 0x21, 0x7D, {12, 0, 0, 3, 1}},
              {3, 1, 0xFF, {0, 0, 0, 0, 0}},
              {4, 0x21, 0xFF, {0, 0, 0, 0, 0}}};
  for (const auto& row : rows) {
    module.ModuleFlags = row.Flags;
    EXPECT_EQ((std::vector<int>{
                  Database.GetAcqChannel(row.Station, row.Module), Database.IsSaveOnTrigEnable(row.Station, row.Module),
                  Database.IsScalingEnable(row.Station, row.Module), Database.GetGUISimpleMode(row.Station, row.Module),
                  Database.GetScalingStatus(row.Station, row.Module)}),
              row.Facts)
        << row.Station << "/" << row.Module << " flags " << int{row.Flags};
  }
}

TEST_F(LookupsTest, ScaleRecordsAreIndexedRowByRow) {
  CModule& module = FileModule(FileStation(3), 1);
  module.AcqChannel = 4;
  CHNLINF* record = reinterpret_cast<CHNLINF*>(1);
  EXPECT_EQ(Database.GetChanScaleInf(3, 1, &record), 0);
  EXPECT_EQ(record, nullptr);
  EXPECT_EQ(Database.GetChanScaleInfEx(3, 1, 0, 0, &record), 0);
  module.ScaleTable = new CHNLINF[8];
  ASSERT_EQ(Database.GetChanScaleInf(3, 1, &record), 1);
  EXPECT_EQ(record, module.ScaleTable);
  const struct {
    WORD Station, Channel, Row;
    int Found;
    CHNLINF* Record;
  } rows[] = {{3, 0, 1, 1, module.ScaleTable + 4}, {3, 3, 1, 1, module.ScaleTable + 7}, {9, 0, 0, 0, nullptr}};
  for (const auto& row : rows) {
    EXPECT_EQ(Database.GetChanScaleInfEx(row.Station, 1, row.Channel, row.Row, &record), row.Found);
    EXPECT_EQ(record, row.Record) << row.Channel << "/" << row.Row;
  }
  module.ReleaseScaleTable();
}
