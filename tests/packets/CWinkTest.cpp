#include <zodavudaz/packets/CWink.h>

#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

TEST(CWinkTest, StationIdOfAnAddress) {
  SimReset();
  SimStation station;
  station.Id = 7;
  station.Address = 0x107;
  SimSetStation(station);
  WORD id = 0xBEEF;
  EXPECT_EQ(GetWink()->GetStationId(0x107, &id), 0);
  EXPECT_EQ(id, 7);
  id = 0xBEEF;
  EXPECT_NE(GetWink()->GetStationId(0x108, &id), 0);
  EXPECT_NE(GetWink()->GetStationId(-1, &id), 0);
  EXPECT_EQ(id, 0xBEEF);
  SimReset();
}
