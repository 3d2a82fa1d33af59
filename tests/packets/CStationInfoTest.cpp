#include "packets/CStationInfo.h"

#include "packets/CManager.h"
#include "packets/siblings/CommunicationLibrary.h"
#include "sim/SimControl.h"

#include <gtest/gtest.h>

namespace {
class CStationInfoTest : public testing::Test {
protected:
  void SetUp() override { SimReset(); }
  void TearDown() override { SimReset(); }

  /// The record the communication layer keeps for station, filled from wanted.
  static CStationInfo& Station(const SimStation& wanted) {
    SimSetStation(wanted);
    return *GetMgr()->GetStationInfo(wanted.Id);
  }
};

struct TypeRow {
  BYTE Type;
  BOOL IsStation;
  BOOL IsPC;
};
const TypeRow TypeRows[] = {{0, 1, 0}, {1, 1, 0}, {2, 0, 1}, {3, 0, 1}, {4, 0, 1}, {5, 0, 0}, {0xFF, 0, 0}};
} // namespace

TEST_F(CStationInfoTest, NewRecordHasNoAddressOwnerLockOrHandles) {
  const CStationInfo record;
  EXPECT_EQ(record.GetStationAddress(), -1);
  EXPECT_FALSE(record.IsExist());
  EXPECT_FALSE(record.ValidAddr());
  EXPECT_FALSE(record.IsOwner());
  EXPECT_FALSE(record.IsLock());
  EXPECT_EQ(record.GetOwnerWaitHandle(), 0xFFFFFFFFu);
  EXPECT_FALSE(record.ValidEventHandle());
  EXPECT_FALSE(record.ReservedPowerOff());
  EXPECT_FALSE(record.IsActive());
  EXPECT_EQ(record.GetGroupNo(), 0);
}

TEST_F(CStationInfoTest, TypesTwoToFourArePCs) {
  for (const TypeRow& row : TypeRows) {
    SimStation wanted;
    wanted.Address = 100;
    wanted.Type = row.Type;
    const CStationInfo& record = Station(wanted);
    EXPECT_EQ(record.GetType(), row.Type);
    EXPECT_EQ(record.IsStation(), row.IsStation) << int{row.Type};
    EXPECT_EQ(record.IsPC(), row.IsPC) << int{row.Type};
  }
}

TEST_F(CStationInfoTest, CopyHasItsOwnStrings) {
  CStationInfo original;
  original.SetName("Alpha");
  original.SetComment(CString("first"));
  original.SetEventHandle(42);
  CStationInfo copy(original);
  copy.SetName("Bravo");
  copy.GetComment() += " changed";
  EXPECT_EQ(original.GetName(), "Alpha");
  EXPECT_EQ(original.GetComment(), "first");
  EXPECT_EQ(copy.GetComment(), "first changed");
  EXPECT_EQ(copy.GetEventHandle(), 42u);
  CStationInfo assigned;
  assigned = original;
  original.GetComment() = "other";
  EXPECT_EQ(assigned.GetComment(), "first");
}
