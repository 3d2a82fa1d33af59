#include <zodavudaz/packets/CManager.h>

#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <tuple>

namespace {
class CManagerTest : public testing::Test {
protected:
  void SetUp() override { SimReset(); }
  void TearDown() override { SimReset(); }
};

} // namespace

TEST_F(CManagerTest, StationLookUpsAnswerFromTheStationRecord) {
  SimStation station;
  station.Id = 5;
  station.Address = 0x1234;
  station.GroupNo = 2;
  station.Type = 3;
  SimSetStation(station);
  CManager& manager = *GetMgr();
  EXPECT_EQ(manager.GetStationAddress(5), 0x1234);
  EXPECT_EQ(manager.GetNetStationAddress(5), 0x21234);
  EXPECT_EQ(manager.GetStationType(5), 3);
}

TEST_F(CManagerTest, UnknownStationAnswersNoAddressAndNoType) {
  CManager& manager = *GetMgr();
  for (WORD id : {WORD{6}, WORD{40}, WORD{0xFFFF}}) {
    EXPECT_EQ(std::make_tuple(manager.GetStationInfo(id), manager.GetStationAddress(id),
                              manager.GetNetStationAddress(id), manager.GetStationType(id)),
              std::make_tuple(nullptr, -1, -1, 0xFF))
        << id;
  }
}

TEST_F(CManagerTest, MyIdPacksNetGroupAndStationIntoSixteenBits) {
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
}
