#include <zodavudaz/viewer/ViewerPropertyStatement.h>

#include <zodavudaz/platform/BlockAllocator.h>

#include <cstring>

namespace {
// ColorArrayNum is 16 bits wide; further colours are dropped.
constexpr unsigned MaxColors = 0xFFFF;

// Replaces the block of row by a zero-filled one of size bytes; a repeated statement frees the
// earlier block.
bool ReplaceBlock(ViewerPropertyRow& row, ViewerProperty& record, std::size_t size) noexcept {
  void* block = NewBlock(size);
  if (block == nullptr)
    return false;
  std::memset(block, 0, size);
  char* field = reinterpret_cast<char*>(&record) + row.FieldOffset;
  void* earlier = nullptr;
  std::memcpy(&earlier, field, sizeof earlier);
  ::operator delete(earlier);
  std::memcpy(field, &block, sizeof block);
  BindViewerPropertyRow(row, record);
  return true;
}

bool StoreText(ViewerProperty& record, ViewerPropertyRow& row, WordList values) noexcept {
  std::string_view first;
  WordList(values).Next(first);
  if (!ReplaceBlock(row, record, first.size() + 1))
    return false;
  row.Read(row.Data, values, 1);
  return true;
}

bool StoreColors(ViewerProperty& record, ViewerPropertyRow& row, WordList values, unsigned count) noexcept {
  if (!ReplaceBlock(row, record, count * sizeof(DWORD)))
    return false;
  record.ColorArrayNum = static_cast<WORD>(count);
  row.Read(row.Data, values, count);
  return true;
}
} // namespace

bool StoreViewerPropertyValues(ViewerProperty& record, ViewerPropertyRow& row, WordList values,
                               unsigned valueCount) noexcept {
  switch (row.Shape) {
  case RowShape::Fixed:
    row.Read(row.Data, values, row.Count);
    // A later "ChannelNumber" may not reach beyond the arrays the record was created with.
    if (&row == &ViewerPropertyTable[ChannelNumberRow] && record.ChannelNumber > record.ChannelCapacity)
      record.ChannelNumber = record.ChannelCapacity;
    return true;
  case RowShape::PerChannel: row.Read(row.Data, values, record.ChannelCapacity); return true;
  case RowShape::Text: return StoreText(record, row, values);
  case RowShape::Colors: return StoreColors(record, row, values, valueCount < MaxColors ? valueCount : MaxColors);
  }
  return true;
}
