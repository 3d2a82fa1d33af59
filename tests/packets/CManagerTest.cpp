#include <zodavudaz/packets/CManager.h>

#include <zodavudaz/packets/CStationInfo.h>
#include <zodavudaz/packets/CWink.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <tuple>

// The manager answers by station id, the wink by address; types two to four are PCs.
TEST(CManagerTest, StationsAreFoundByIdAndByAddressOrGiveNoAddressAndNoType) {
  SimReset();
  const struct {
    WORD Id;
    bool Known;
    LONG Address, NetAddress;
    BYTE GroupNo, Type;
    BOOL IsStation, IsPC;
  } rows[] = {
      {5, true, 0x1234, 0x21234, 2, 3, 0, 1}, {1, true, 0x101, 0x101, 0, 0, 1, 0}, {2, true, 0x102, 0x102, 0, 1, 1, 0},
      {3, true, 0x103, 0x103, 0, 2, 0, 1},    {4, true, 0x104, 0x104, 0, 4, 0, 1}, {7, true, 0x107, 0x107, 0, 5, 0, 0},
      {8, true, 0x108, 0x108, 0, 0xFF, 0, 0}, {6, false, -1, -1, 0, 0xFF, 0, 0},   {40, false, -1, -1, 0, 0xFF, 0, 0},
      {0xFFFF, false, -1, -1, 0, 0xFF, 0, 0},
  };
  for (const auto& row : rows)
    if (row.Known)
      SimSetStation({.Id = row.Id, .Address = row.Address, .Type = row.Type, .GroupNo = row.GroupNo});
  CManager& manager = *GetMgr();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Id);
    EXPECT_EQ(std::make_tuple(manager.GetStationAddress(row.Id), manager.GetNetStationAddress(row.Id),
                              manager.GetStationType(row.Id)),
              std::make_tuple(row.Address, row.NetAddress, row.Type));
    const CStationInfo* record = manager.GetStationInfo(row.Id);
    ASSERT_EQ(record != nullptr, row.Known);
    WORD id = 0xBEEF;
    const LONG address = row.Known ? row.Address : 0x109;
    EXPECT_EQ(GetWink()->GetStationId(address, &id) == 0, row.Known);
    EXPECT_EQ(id, row.Known ? row.Id : 0xBEEF);
    if (row.Known) {
      EXPECT_EQ(std::make_tuple(record->GetType(), record->IsStation(), record->IsPC()),
                std::make_tuple(row.Type, row.IsStation, row.IsPC));
    }
  }
  WORD id = 0xBEEF;
  EXPECT_NE(GetWink()->GetStationId(-1, &id), 0);
  EXPECT_EQ(id, 0xBEEF);
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
