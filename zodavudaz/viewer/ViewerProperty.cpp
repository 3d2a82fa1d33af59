#include <zodavudaz/viewer/ViewerProperty.h>

#include <zodavudaz/platform/BlockAllocator.h>

#include <cstring>
#include <new>

namespace {
constexpr int DefaultFilterCut = 300;

// A zero-filled block of count elements for field; false when it cannot be allocated.
template <typename Element>
bool AllocateArray(Element*& field, std::size_t count) noexcept {
  void* block = NewBlock(sizeof(Element) * count);
  if (block == nullptr)
    return false;
  std::memset(block, 0, sizeof(Element) * count);
  field = static_cast<Element*>(block);
  return true;
}

bool AllocateArrays(ViewerProperty& record, WORD channels) noexcept {
  return AllocateArray(record.Channel, channels) && AllocateArray(record.Cursor, channels) &&
         AllocateArray(record.Average, channels) && AllocateArray(record.CurrentValue, channels) &&
         AllocateArray(record.ScaleEffect, channels) && AllocateArray(record.Offset, channels) &&
         AllocateArray(record.ScaleMin, channels) && AllocateArray(record.ScaleMax, channels) &&
         AllocateArray(record.MathLabel, channels) && AllocateArray(record.MathUnit, channels) &&
         AllocateArray(record.MathExp, channels) && AllocateArray(record.Const, ConstCount) &&
         AllocateArray(record.FilterType, 2) && AllocateArray(record.FilterBand, 2) &&
         AllocateArray(record.FilterCut1, 2) && AllocateArray(record.FilterCut2, 2) && AllocateArray(record.XyY, 4);
}

// Zero-filled arrays already hold the zero defaults (Average, CurrentValue, Offset, the scales,
// empty math labels and units, the filter types and bands).
void SetDefaults(ViewerProperty& record, WORD channels) noexcept {
  record.CurrentPlane = 1;
  for (WORD channel = 0; channel < channels; ++channel) {
    record.Channel[channel] = 1;
    record.Cursor[channel] = 1;
    std::memcpy(record.MathExp[channel], "C1", 3);
  }
  for (std::size_t i = 0; i < ConstCount; ++i)
    record.Const[i] = 1.0;
  for (int i = 0; i < 2; ++i) {
    record.FilterCut1[i] = DefaultFilterCut;
    record.FilterCut2[i] = DefaultFilterCut;
  }
}
} // namespace

ViewerProperty* CreateViewerProperty(WORD channelCount) noexcept {
  if (channelCount == 0)
    return nullptr;
  void* block = NewBlock(sizeof(ViewerProperty));
  if (block == nullptr)
    return nullptr;
  std::memset(block, 0, sizeof(ViewerProperty));
  ViewerProperty* record = static_cast<ViewerProperty*>(block);
  if (!AllocateArrays(*record, channelCount)) {
    ReleaseViewerProperty(record);
    return nullptr;
  }
  record->ChannelCapacity = channelCount;
  SetDefaults(*record, channelCount);
  return record;
}

void ReleaseViewerProperty(ViewerProperty* record) noexcept {
  if (record == nullptr)
    return;
  void* const blocks[] = {record->Channel,      record->Cursor,      record->Average,    record->Offset,
                          record->ScaleEffect,  record->ScaleMin,    record->ScaleMax,   record->Const,
                          record->MathLabel,    record->MathUnit,    record->MathExp,    record->FilterType,
                          record->FilterBand,   record->FilterCut1,  record->FilterCut2, record->XyY,
                          record->CurrentValue, record->CurrentPath, record->ColorArray, record->CustomToolBar,
                          record->GrName,       record->GrChInfo};
  for (void* block : blocks)
    ::operator delete(block);
  ::operator delete(record);
}

WORD GetGrNum(const ViewerProperty* record) noexcept { return record == nullptr ? 0 : record->GrNum; }
