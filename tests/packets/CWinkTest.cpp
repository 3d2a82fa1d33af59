#include <zodavudaz/packets/CWink.h>

#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

namespace {
class CWinkTest : public testing::Test {
protected:
  void SetUp() override { SimReset(); }
  void TearDown() override { SimReset(); }
};

SimStation StationAt(WORD id, LONG address) {
  SimStation station;
  station.Id = id;
  station.Address = address;
  return station;
}
} // namespace

TEST_F(CWinkTest, StationIdOfAnAddress) {
  SimSetStation(StationAt(7, 0x107));
  WORD id = 0xBEEF;
  EXPECT_EQ(GetWink()->GetStationId(0x107, &id), 0);
  EXPECT_EQ(id, 7);
  id = 0xBEEF;
  EXPECT_NE(GetWink()->GetStationId(0x108, &id), 0);
  EXPECT_NE(GetWink()->GetStationId(-1, &id), 0);
  EXPECT_EQ(id, 0xBEEF);
}
