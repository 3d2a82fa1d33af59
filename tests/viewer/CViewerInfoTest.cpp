#include "viewer/CViewerInfo.h"

#include "tests/support/HeapUse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {
TEST(CViewerInfoTest, NewObjectHasItsDefaultsAndZeroes) {
  CViewerInfo info;
  EXPECT_EQ(info.GetMaxBlockNum(), 1);
  EXPECT_EQ(info.GetWaveBufPoint(), 2048u);
  EXPECT_EQ(info.GetStartPoint(), 0xFFFFFFFFu);
  EXPECT_EQ(info.GetEndPoint(), 0xFFFFFFFFu);
  EXPECT_FALSE(info.IsLoadViewer());
  EXPECT_EQ(info.GetData(), nullptr);
  EXPECT_EQ(info.GetChWaveInfo(), nullptr);
  EXPECT_EQ(info.GetProperty(), nullptr);
  EXPECT_EQ(info.GetChNum() + info.GetCurBlockNo() + info.GetActionState(8) + info.GetActiveChNum(0), 0);
  EXPECT_EQ(info.GetChDataNum(), 0u) << "PackedChNum 0 gives 0, not a trap";
  for (int i = 0; i < 3; ++i)
    EXPECT_NE(info.GetEvent(i), nullptr);
  info.DelResource();
}

TEST(CViewerInfoTest, ScanVisitsEveryChannelAndWrapsToTheFirstModule) {
  CViewerInfo info;
  info.SetModuleId(2, 3);
  info.SetChNum(2);
  info.SetRun();
  const std::pair<WORD, WORD> visits[] = {{0, 1}, {1, 0}, {1, 1}, {0, 0}};
  for (size_t i = 0; i < 4; ++i) {
    info.SetNextCh();
    EXPECT_EQ(info.GetCurModule(), visits[i].first) << i;
    EXPECT_EQ(info.GetCurCh(), visits[i].second) << i;
    EXPECT_EQ(info.IsScanOver(), i == 3) << i;
  }
  WORD module = 0;
  WORD channel = 9;
  info.SetNextCh();
  info.GetCurCh(&module, &channel);
  EXPECT_EQ(module, 2);
  EXPECT_EQ(channel, 1);
  EXPECT_EQ(info.GetLinkCurCh(), 1);
  EXPECT_FALSE(info.IsViewSeqOver()) << "running";
  info.SetStop();
  EXPECT_TRUE(info.IsViewSeqOver());
  info.SetRun();
  EXPECT_FALSE(info.IsScanOver());
  EXPECT_EQ(info.GetAllChNum(), 4);
  info.SetModuleId(5);
  EXPECT_EQ(info.GetModuleNum(), 1);
  EXPECT_TRUE(info.IsModuleIn(5));
  EXPECT_FALSE(info.IsModuleIn(4));
  EXPECT_FALSE(info.IsModuleIn(6));
  info.DelResource();
}

TEST(CViewerInfoTest, NarrowFieldsKeepTheirLowBitsAndBlockNumbersReset) {
  CViewerInfo info;
  info.SetChNum(300);
  EXPECT_EQ(info.GetChNum(), 44);
  info.SetInterpolation(-1);
  EXPECT_EQ(info.GetInterpolation(), -1);
  info.SetInterpolation(0x1FF);
  EXPECT_EQ(info.GetInterpolation(), -1);
  struct Case {
    short CurBlockNo;
    WORD MaxBlockNum;
    short Expected;
  };
  const Case cases[] = {{3, 3, 0}, {2, 3, 2}, {4, 3, 0}, {-1, 0xFFFF, 0}, {5, 0x8000, 0}};
  for (const Case& c : cases) {
    info.SetCurBlockNo(c.CurBlockNo);
    info.SetMaxBlockNum(c.MaxBlockNum);
    EXPECT_EQ(info.GetCurBlockNo(), c.Expected) << c.CurBlockNo << " " << c.MaxBlockNum;
  }
  info.DelResource();
}

TEST(CViewerInfoTest, UnitEntriesAndSlotsOutOfRangeAreIgnored) {
  CViewerInfo info;
  info.SetVUnit(0, "mV");
  info.SetVUnit(9, "kPa/s");
  info.SetVUnit(10, "x");
  info.SetVUnit(0xFFFF, "y");
  info.SetVUnit(1, nullptr);
  EXPECT_STREQ(info.GetVUnit(0), "mV");
  EXPECT_STREQ(info.GetVUnit(9), "kPa") << "three characters and the zero";
  EXPECT_STREQ(info.GetVUnit(10), "");
  EXPECT_STREQ(info.GetVUnit(1), "");
  for (WORD slot : {WORD{0}, WORD{8}, WORD{9}, WORD{16}, WORD{0xFFFF}}) {
    info.SetActionState(slot, 0x107);
    info.SetActionFileCnt(slot, 11);
    info.SetActSaveDataSize(slot, 12);
    const bool inside = slot < 9;
    EXPECT_EQ(info.GetActionState(slot), inside ? 7 : 0) << slot;
    EXPECT_EQ(info.GetActionFileCnt(slot), inside ? 11u : 0u) << slot;
    EXPECT_EQ(info.GetActSaveDataSize(slot), inside ? 12u : 0u) << slot;
  }
  EXPECT_EQ(info.GetActiveChNum(25), 0) << "slot 9 after the modulo";
  info.DelResource();
}

void CopyAndRelease() {
  CViewerInfo info;
  info.SetData(::operator new(64), 64);
  info.SetChWaveInfo(new ChWaveInfo[3]);
  info.GetChWaveInfo()[2].Name = "a text long enough to live on the heap";
  info.SetProperty(CreateViewerProperty(4));
  info.SetTargetName("target");
  info.SetParamNum(12);
  info.SetPackedChannelNum(5);
  const CViewerInfo copy(info);
  CViewerInfo assigned;
  const HANDLE ownEvent = assigned.GetEvent(0);
  std::vector<HANDLE> events = {info.GetEvent(0), info.GetEvent(1), info.GetEvent(2)};
  assigned.DelResource();
  assigned = info;
  EXPECT_NE(assigned.GetEvent(0), ownEvent);
  for (const CViewerInfo* other : {&copy, static_cast<const CViewerInfo*>(&assigned)}) {
    EXPECT_EQ(other->GetData(), info.GetData());
    EXPECT_EQ(other->GetChWaveInfo(), info.GetChWaveInfo());
    EXPECT_EQ(other->GetProperty(), info.GetProperty());
    EXPECT_EQ(other->GetTargetName(), "target");
    EXPECT_EQ(other->GetChDataNum(), 2u);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(other->GetEvent(i), events[i]);
  }
  info.DelResource();
  EXPECT_EQ(info.GetData(), nullptr);
  EXPECT_EQ(info.GetEvent(0), nullptr);
  info.DelResource(); // releases nothing a second time
}

TEST(CViewerInfoTest, CopiesShareResourcesThatOneDelResourceReleasesOnce) {
  CopyAndRelease(); // lets the test framework and the heap settle
  const size_t heapBefore = HeapBytesInUse();
  CopyAndRelease();
  EXPECT_EQ(HeapBytesInUse(), heapBefore);
}
} // namespace
