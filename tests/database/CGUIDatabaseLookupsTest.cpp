#include "tests/database/DatabaseFixture.h"

#include <array>

namespace {
HTREEITEM Item(int n) { return reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(n)); }
} // namespace

class LookupsTest : public DatabaseFixture {};

TEST_F(LookupsTest, WalkingLookupsReturnTheFirstInMapOrder) {
  CStation& one = FileStation(1, "Twin");
  CStation& two = FileStation(2, "Twin");
  CStation& sixteen = FileStation(16, "Twin");
  one.ListIndex = two.ListIndex = sixteen.ListIndex = 4;
  one.TreeItem = two.TreeItem = sixteen.TreeItem = Item(9);
  CStation* found = nullptr;
  ASSERT_EQ(Database.GetStationInf(CString("Twin"), &found), 1);
  EXPECT_EQ(found, &two);
  ASSERT_EQ(Database.GetStationListInf(4, &found), 1);
  EXPECT_EQ(found, &two);
  ASSERT_EQ(Database.GetStationTreeInf(Item(9), &found), 1);
  EXPECT_EQ(found, &two);
  EXPECT_EQ(Database.GetStationInf(CString("twin"), &found), 0);
  EXPECT_EQ(found, nullptr);
}

TEST_F(LookupsTest, SlotCountComesFromTheModelName) {
  const struct {
    const char* Model;
    BYTE Slots;
  } rows[] = {{"ZI400", 4}, {"RA800", 8}, {"xRA800-ZI400", 4}, {"ra800", 0}, {"", 0}};
  WORD id = 1;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Model);
    FileStation(id, "", row.Model);
    EXPECT_EQ(Database.GetMaxSlot(id), row.Slots);
    ++id;
  }
  EXPECT_EQ(Database.GetMaxSlot(999), 0);
}

TEST_F(LookupsTest, ModelNameFillingItsArrayIsReadNoFurther) {
  CStation& station = FileStation(1);
  std::memset(station.ModelName, 'R', sizeof station.ModelName);
  EXPECT_EQ(Database.GetMaxSlot(1), 0);
}

namespace {
struct GroupRow {
  const char* Name;
  WORD Slot;
  BYTE Master;
  WORD ConnectNo;
  int Term;
  WORD ConnectNum;
};

// Slots 1, 2 and 3 form one group on an eight-slot station; slot 8 is joined to nothing beyond.
constexpr std::array<BYTE, StationSlotCount> GroupStatus = {0, 1, 1, 0, 0, 0, 0, 0, 1};

const GroupRow GroupRows[] = {
    {"master", 1, 1, 0, 0, 3},
    {"member", 2, 1, 1, 0, 2},
    {"terminal", 3, 1, 2, 1, 1},
    {"lone slot", 4, 4, 0, 1, 1},
    {"last slot joined", 8, 8, 0, 1, 1},
    {"beyond counted slots", 9, 8, 1, 1, 1},
    {"extra module", 0x12, 0x12, 0, 0, 1},
};
} // namespace

TEST_F(LookupsTest, ConnectedGroupOfAnEightSlotStation) {
  CStation& station = FileStation(5, "G", "RA800");
  std::copy(GroupStatus.begin(), GroupStatus.end(), station.ConnectStatus);
  for (const GroupRow& row : GroupRows) {
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
  const struct {
    WORD Station, Module, Result;
    const char* Text;
  } rows[] = {{0, 1, 0, "Viewer App"}, {3, 1, 0, "ZOabcd"}, {3, 2, 0, "ZO0"}, {3, 9, 0xFFFF, ""}, {8, 1, 0xFFFF, ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text);
    CString name("stale");
    EXPECT_EQ(Database.GetProductName(row.Station, row.Module, name), row.Result);
    EXPECT_STREQ(name, row.Text);
  }
  CString name;
  EXPECT_EQ(Database.GetProductName(0x1234FFu, name), 0);
  EXPECT_STREQ(name, "ZO34ff");
}

// The sanitizer build's leak checker finds records the destruction leaves behind.
TEST_F(LookupsTest, DestroyingAModuleReleasesTheRecordsItStillFiles) {
  CModule* module = new CModule;
  module->FilterMap.SetAt(1, new CGuiFilter(1, 2));
  module->NamedFilterMap.SetAt("name", new CGuiFilter(0, 3));
  module->UsedModuleMap.SetAt(0x12, new UsedModule{1, 2});
  delete module;
}
