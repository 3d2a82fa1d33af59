#include "packets/CRplySync.h"

#include "sim/SimControl.h"

#include <gtest/gtest.h>

TEST(CRplySyncTest, NewRecordIsValidWithTheDefaultTimeOut) {
  CRplySync sync;
  EXPECT_TRUE(sync.IsValid());
  EXPECT_EQ(SimTimeOutOf(sync), 10000u);
  EXPECT_TRUE(sync.IsSyncMode());
  sync.SetTimeOut(0xFFFFFFFF);
  sync.SetTimeOut();
  EXPECT_EQ(SimTimeOutOf(sync), 10000u);
  sync.Invalidate();
  EXPECT_FALSE(sync.IsValid());
}

TEST(CRplySyncTest, StationIdsKeepTheirLowSixteenBits) {
  CRplySync sync;
  sync.SetStationId(0x12345);
  EXPECT_EQ(sync.GetStationId(), 0x2345);
  sync.SetProxyStationId(0xFFFF);
  EXPECT_EQ(sync.GetProxyStationId(), 0xFFFF);
}

TEST(CRplySyncTest, SyncModes) {
  struct Row {
    void (*Set)(CRplySync&);
    WORD Mode;
    BOOL IsSync, IsAsync;
  };
  const Row rows[] = {
      {[](CRplySync& s) { s.SetSyncMode(); }, 1, 1, 0},
      {[](CRplySync& s) { s.SetAsyncMode(); }, 2, 0, 1},
      {[](CRplySync& s) { s.SetNoneSyncMode(); }, 0, 0, 0},
      {[](CRplySync& s) { s.SetSyncMode(7); }, 7, 0, 0},
  };
  for (const Row& row : rows) {
    CRplySync sync;
    row.Set(sync);
    EXPECT_EQ(sync.GetSyncMode(), row.Mode);
    EXPECT_EQ(sync.IsSyncMode(), row.IsSync) << row.Mode;
    EXPECT_EQ(sync.IsAsyncMode(), row.IsAsync) << row.Mode;
  }
}
