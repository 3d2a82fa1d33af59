#include "viewer/ViewerProperty.h"

#include <gtest/gtest.h>

// The written defaults are checked byte for byte by the text tests, the unwritten per-channel ones
// by the read-back test; these are the rest.
namespace {
TEST(ViewerPropertyTest, NewRecordHasNoCountTextsColoursOrGroups) {
  EXPECT_EQ(CreateViewerProperty(0), nullptr);
  ViewerProperty* record = CreateViewerProperty(3);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->ChannelNumber, 0);
  EXPECT_EQ(record->ChannelCapacity, 3);
  EXPECT_EQ(record->Channel[2] + record->Cursor[2], 2);
  for (const void* block : {static_cast<void*>(record->CurrentPath), static_cast<void*>(record->ColorArray),
                            static_cast<void*>(record->CustomToolBar), static_cast<void*>(record->GrName),
                            static_cast<void*>(record->GrChInfo)})
    EXPECT_EQ(block, nullptr);
  ReleaseViewerProperty(record);
  ReleaseViewerProperty(nullptr);
  EXPECT_EQ(GetGrNum(nullptr), 0);
}
} // namespace
