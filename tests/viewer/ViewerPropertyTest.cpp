#include "viewer/ViewerProperty.h"

#include "platform/BlockAllocator.h"
#include "tests/viewer/LiveBlocks.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
TEST(ViewerPropertyTest, NoChannelsGiveNoRecord) { EXPECT_EQ(CreateViewerProperty(0), nullptr); }

TEST(ViewerPropertyTest, NewRecordHoldsTheDisplayDefaults) {
  ViewerProperty* record = CreateViewerProperty(3);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->ChannelNumber, 0);
  EXPECT_EQ(record->ChannelCapacity, 3);
  EXPECT_EQ(record->CurrentPlane, 1);
  EXPECT_EQ(record->MathChNum, 0);
  for (int channel = 0; channel < 3; ++channel) {
    SCOPED_TRACE(channel);
    EXPECT_EQ(record->Channel[channel], 1);
    EXPECT_EQ(record->Cursor[channel], 1);
    EXPECT_EQ(record->Average[channel] | record->CurrentValue[channel] | record->ScaleEffect[channel], 0);
    EXPECT_EQ(record->Offset[channel] + record->ScaleMin[channel] + record->ScaleMax[channel], 0.0);
    EXPECT_STREQ(record->MathLabel[channel], "");
    EXPECT_STREQ(record->MathUnit[channel], "");
    EXPECT_STREQ(record->MathExp[channel], "C1");
  }
  for (std::size_t i = 0; i < ConstCount; ++i)
    EXPECT_EQ(record->Const[i], 1.0);
  EXPECT_EQ(record->FilterCut1[0] + record->FilterCut1[1] + record->FilterCut2[0] + record->FilterCut2[1], 1200);
  EXPECT_EQ(record->FilterType[0] | record->FilterType[1] | record->FilterBand[0] | record->FilterBand[1], 0);
  EXPECT_EQ(record->XyY[0] | record->XyY[1] | record->XyY[2] | record->XyY[3], 0);
  EXPECT_EQ(record->CurrentPath, nullptr);
  EXPECT_EQ(record->ColorArray, nullptr);
  EXPECT_EQ(record->CustomToolBar, nullptr);
  EXPECT_EQ(record->GrName, nullptr);
  EXPECT_EQ(record->GrChInfo, nullptr);
  ReleaseViewerProperty(record);
}

TEST(ViewerPropertyTest, EveryFailedAllocationGivesNullAndLeaksNothing) {
  const int before = LiveBlocks();
  for (int call = 1;; ++call) {
    SCOPED_TRACE(call);
    ArmBlockFault(call, false);
    ViewerProperty* record = CreateViewerProperty(4);
    const bool faulted = GetBlockFaultCount() > 0;
    DisarmBlockFault();
    if (!faulted) {
      EXPECT_NE(record, nullptr);
      ReleaseViewerProperty(record);
      EXPECT_GT(call, 17); // the record and its seventeen arrays
      break;
    }
    EXPECT_EQ(record, nullptr);
    EXPECT_EQ(LiveBlocks(), before);
  }
  EXPECT_EQ(LiveBlocks(), before);
}

TEST(ViewerPropertyTest, NullRecordIsIgnored) {
  ReleaseViewerProperty(nullptr);
  EXPECT_EQ(GetGrNum(nullptr), 0);
}
} // namespace
