#include <zodavudaz/viewer/CViewerInfo.h>

#include <gtest/gtest.h>

namespace {
TEST(CViewerInfoTest, ScanVisitsEveryChannelAndWrapsToTheFirstModule) {
  CViewerInfo info;
  EXPECT_EQ(info.GetChDataNum(), 0u) << "PackedChNum 0 gives 0, not a trap";
  info.SetModuleId(2, 3);
  info.SetChNum(2);
  info.SetRun();
  const WORD visits[][2] = {{0, 1}, {1, 0}, {1, 1}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    info.SetNextCh();
    EXPECT_EQ(info.GetCurModule() * 10 + info.GetCurCh(), visits[i][0] * 10 + visits[i][1]) << i;
    EXPECT_EQ(info.IsScanOver(), i == 3) << i;
  }
  info.DelResource();
}

TEST(CViewerInfoTest, BlockNumbersUnitsAndSlotsOutOfRange) {
  CViewerInfo info;
  const short blockCases[][3] = {{3, 3, 0}, {2, 3, 2}, {-1, -1, 0}, {5, -0x8000, 0}}; // current, max, after
  for (const auto& c : blockCases) {
    info.SetCurBlockNo(c[0]);
    info.SetMaxBlockNum(static_cast<WORD>(c[1]));
    EXPECT_EQ(info.GetCurBlockNo(), c[2]) << c[0] << " " << c[1];
  }
  info.SetVUnit(9, "kPa/s");
  info.SetVUnit(10, "x");
  EXPECT_STREQ(info.GetVUnit(9), "kPa") << "three characters and the zero";
  EXPECT_STREQ(info.GetVUnit(10), "");
  for (WORD slot : {WORD{8}, WORD{9}, WORD{0xFFFF}}) {
    info.SetActionState(slot, 0x107);
    info.SetActionFileCnt(slot, 11);
    EXPECT_EQ(info.GetActionState(slot) + info.GetActionFileCnt(slot), slot < 9 ? 18u : 0u) << slot;
  }
  EXPECT_EQ(info.GetActiveChNum(25), 0) << "slot 9 after the modulo";
  info.DelResource();
}

// Releasing twice shows under the sanitizers, releasing nothing under the leak checker.
TEST(CViewerInfoTest, CopiesShareResourcesThatOneDelResourceReleasesOnce) {
  CViewerInfo info;
  info.SetData(::operator new(64), 64);
  info.SetChWaveInfo(new ChWaveInfo[3]);
  info.GetChWaveInfo()[2].Name = "a text long enough to live on the heap";
  info.SetProperty(CreateViewerProperty(4));
  info.SetTargetName("target");
  CViewerInfo assigned;
  assigned.DelResource();
  assigned = info;
  const CViewerInfo copy(info);
  for (const CViewerInfo* other : {&copy, static_cast<const CViewerInfo*>(&assigned)}) {
    EXPECT_TRUE(other->GetData() == info.GetData() && other->GetChWaveInfo() == info.GetChWaveInfo() &&
                other->GetProperty() == info.GetProperty() && other->GetEvent(2) == info.GetEvent(2));
    EXPECT_EQ(other->GetTargetName(), "target");
  }
  info.DelResource();
  EXPECT_EQ(info.GetEvent(0), nullptr);
  info.DelResource(); // releases nothing a second time
}
} // namespace
