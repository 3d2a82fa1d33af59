#include <zodavudaz/packets/CRplySync.h>

#include <gtest/gtest.h>

TEST(CRplySyncTest, StationIdsKeepTheirLowSixteenBits) {
  CRplySync sync;
  sync.SetStationId(0x12345);
  EXPECT_EQ(sync.GetStationId(), 0x2345);
  sync.SetProxyStationId(0xFFFF);
  EXPECT_EQ(sync.GetProxyStationId(), 0xFFFF);
}
