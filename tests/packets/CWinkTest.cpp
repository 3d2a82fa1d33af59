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

TEST_F(CWinkTest, CopyHasItsOwnTables) {
  CWink& wink = *GetWink();
  wink.GetBroadcastEntry()->SetComment(CString("all"));
  CWink copy(wink);
  copy.GetBroadcastEntry()->GetComment() = "changed";
  copy.GetBroadcastEntryBack()->SetComment(CString("back"));
  EXPECT_EQ(wink.GetBroadcastEntry()->GetComment(), "all");
  EXPECT_EQ(wink.GetBroadcastEntryBack()->GetComment(), "");
  EXPECT_NE(copy.GetBroadcastEntry(), copy.GetBroadcastEntryBack());
  CWink assigned;
  assigned = copy;
  copy.GetBroadcastEntry()->GetComment() = "again";
  EXPECT_EQ(assigned.GetBroadcastEntry()->GetComment(), "changed");
}
