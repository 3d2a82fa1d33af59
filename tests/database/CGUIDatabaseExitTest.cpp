#include "tests/database/SimModuleFixture.h"

#include <algorithm>

class ExitTest : public SimModuleFixture {};

TEST_F(ExitTest, EndsExtraFrontEndsAndEveryModuleButKeepsTheStations) {
  CStation& frontEnds = FileStation(0);
  CModule& frontEnd = FileSimModule(frontEnds, {0, 0x10});
  frontEnd.ActOnTrigInfo.TrigValue = 55;
  frontEnd.ScaleTable = new CHNLINF[1];
  CModule& kept = FileModule(frontEnds, 0x03);
  CStation& station = FileStation(1);
  const std::pair<WORD, DWORD> events[] = {{1, 5}, {2, 0xFFFF}, {0x21, 9}};
  for (auto [id, event] : events)
    FileSimModule(station, {0, id}).EventId = event;
  Database.AddGuiFilter(1, 1, 4, 4);
  CStation& other = FileStation(16); // walked after station 1
  FileModule(other, 3).EventId = 7;
  Database.StationMap.SetAt(3, nullptr);
  SimFailReleaseEvent(5, 0x99);

  Database.Exit();
  Database.Exit(); // finds nothing left to end or release
  EXPECT_EQ(Database.StationMap.GetCount(), 0);
  EXPECT_EQ(station.ModuleMap.GetCount() + other.ModuleMap.GetCount(), 0);
  ASSERT_EQ(frontEnds.ModuleMap.GetCount(), 1);
  CModule* left = nullptr;
  frontEnds.ModuleMap.Lookup(0x03, left);
  EXPECT_EQ(left, &kept);
  for (auto [stationId, id] : {std::pair<WORD, WORD>{0, 0x10}, {1, 1}, {1, 2}, {1, 0x21}}) {
    EXPECT_EQ(SimDestroyCalls(stationId, id), 1) << stationId << "/" << id;
    EXPECT_EQ(SimLiveFrontends(stationId, id), 1) << "Exit leaves the frontend objects alone";
  }
  EXPECT_LT(SimDestroyOrder(0, 0x10), SimDestroyOrder(1, 0x21)) << "front ends first";
  EXPECT_LT(SimDestroyOrder(1, 0x21), std::min(SimDestroyOrder(1, 1), SimDestroyOrder(1, 2)))
      << "an extra module ends before the module it is opened on";
  const std::vector<SimReleasedEvent> released = SimReleasedEvents();
  ASSERT_EQ(released.size(), 1u) << "the failed release of 5 stops the others";
  EXPECT_EQ(released[0].EventId, 5u);
  const std::vector<SimMessage> posted = SimSeqThreadMessages();
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].Record.ModuleId, 0x10);
  EXPECT_EQ(posted[0].TrigInfo.TrigValue, 55) << "read after the entry was destroyed";
}
