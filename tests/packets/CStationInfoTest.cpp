#include <zodavudaz/packets/CStationInfo.h>

#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

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
