#include "viewer/ViewerProperty.h"

#include <gtest/gtest.h>

// The written defaults are checked byte for byte by the text tests; these are the rest.
namespace {
TEST(ViewerPropertyTest, NewRecordHoldsTheUnwrittenDefaults) {
  EXPECT_EQ(CreateViewerProperty(0), nullptr);
  ViewerProperty* record = CreateViewerProperty(3);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->ChannelNumber, 0);
  EXPECT_EQ(record->ChannelCapacity, 3);
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_EQ(record->Channel[channel] + record->Cursor[channel], 2);
    EXPECT_EQ(record->ScaleEffect[channel] + record->CurrentValue[channel], 0);
    EXPECT_EQ(record->Offset[channel] + record->ScaleMin[channel] + record->ScaleMax[channel], 0.0);
  }
  EXPECT_EQ(record->CurrentPath, nullptr);
  EXPECT_EQ(record->ColorArray, nullptr);
  EXPECT_EQ(record->CustomToolBar, nullptr);
  EXPECT_EQ(record->GrName, nullptr);
  EXPECT_EQ(record->GrChInfo, nullptr);
  ReleaseViewerProperty(record);
  ReleaseViewerProperty(nullptr);
  EXPECT_EQ(GetGrNum(nullptr), 0);
}
} // namespace
