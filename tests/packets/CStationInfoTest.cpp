#include <zodavudaz/packets/CStationInfo.h>

#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <tuple>

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

} // namespace

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

TEST_F(CStationInfoTest, NewRecordHasNoAddressOwnerLockOrHandles) {
  const CStationInfo record;
  EXPECT_EQ(std::make_tuple(record.GetStationAddress(), record.GetOwnerWaitHandle()), std::make_tuple(-1, 0xFFFFFFFFu));
  EXPECT_EQ(record.GetGroupNo(), 0);
  const BOOL states[] = {record.IsExist(),          record.ValidAddr(),        record.IsOwner(), record.IsLock(),
                         record.ValidEventHandle(), record.ReservedPowerOff(), record.IsActive()};
  for (BOOL state : states)
    EXPECT_FALSE(state);
}

TEST_F(CStationInfoTest, TypesTwoToFourArePCs) {
  const struct {
    BYTE Type;
    BOOL IsStation, IsPC;
  } rows[] = {{0, 1, 0}, {1, 1, 0}, {2, 0, 1}, {3, 0, 1}, {4, 0, 1}, {5, 0, 0}, {0xFF, 0, 0}};
  for (const auto& row : rows) {
    SimStation wanted;
    wanted.Address = 100;
    wanted.Type = row.Type;
    const CStationInfo& record = Station(wanted);
    EXPECT_EQ(std::make_tuple(record.GetType(), record.IsStation(), record.IsPC()),
              std::make_tuple(row.Type, row.IsStation, row.IsPC))
        << int{row.Type};
  }
}
