#include <zodavudaz/packets/CManager.h>

#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <tuple>

TEST(CManagerTest, StationLookUpsAnswerFromTheStationRecordOrNoAddressAndNoType) {
  SimReset();
  SimStation station;
  station.Id = 5;
  station.Address = 0x1234;
  station.GroupNo = 2;
  station.Type = 3;
  SimSetStation(station);
  const struct {
    WORD Id;
    bool Known;
    LONG Address, NetAddress;
    WORD Type;
  } rows[] = {{5, true, 0x1234, 0x21234, 3},
              {6, false, -1, -1, 0xFF},
              {40, false, -1, -1, 0xFF},
              {0xFFFF, false, -1, -1, 0xFF}};
  CManager& manager = *GetMgr();
  for (const auto& row : rows)
    EXPECT_EQ(std::make_tuple(manager.GetStationInfo(row.Id) != nullptr, manager.GetStationAddress(row.Id),
                              manager.GetNetStationAddress(row.Id), manager.GetStationType(row.Id)),
              std::make_tuple(row.Known, row.Address, row.NetAddress, row.Type))
        << row.Id;
  SimReset();
}

TEST(CManagerTest, MyIdPacksNetGroupAndStationIntoSixteenBits) {
  const struct {
    WORD NetId, GroupId, StationId;
    WORD NetGroupId, MyId;
  } rows[] = {
      {1, 2, 3, 34, 8707}, {0, 0, 0, 0, 0}, {7, 31, 255, 255, 0xFFFF}, {0, 31, 0, 31, 0x1F00}, {8, 0, 1, 256, 1}};
  CManager& manager = *GetMgr();
  for (const auto& row : rows) {
    manager.SetMyNetId(row.NetId);
    manager.SetMyGroupId(row.GroupId);
    manager.SetMyStationId(row.StationId);
    EXPECT_EQ(std::make_tuple(manager.GetMyNetGroupId(), manager.GetMyId()), std::make_tuple(row.NetGroupId, row.MyId))
        << row.NetId << "/" << row.GroupId << "/" << row.StationId;
  }
  SimReset();
}
