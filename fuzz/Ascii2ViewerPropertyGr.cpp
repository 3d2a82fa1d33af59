// Fuzzes the group text reader over fuzzed group shapes: no crash or overrun, and every group text
// written from the result comes back unchanged after one more read and write.
#include "fuzz/FuzzCheck.h"
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>

#include <cstdint>

namespace {
constexpr int MaxGroups = 7;

// The first two bytes choose the shape: up to 7 groups of up to 63 channels.
ViewerProperty* NewShapedRecord(const std::uint8_t* shape) {
  ViewerProperty* record = CreateViewerProperty(1);
  record->GrNum = shape[0] % (MaxGroups + 1);
  record->GrChNum = shape[1] % 64;
  return record;
}

CString WrittenGroup(const ViewerProperty* record, WORD group) {
  CString text;
  Check(ViewerProperty2AsciiGr(record, group, text) == 0);
  return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2)
    return 0;
  ViewerProperty* first = NewShapedRecord(data);
  ViewerProperty* second = NewShapedRecord(data);
  Ascii2ViewerPropertyGr(first, CString(reinterpret_cast<const char*>(data + 2), static_cast<int>(size - 2)));
  CString once[MaxGroups];
  for (WORD group = 0; group < first->GrNum; ++group) {
    once[group] = WrittenGroup(first, group);
    Ascii2ViewerPropertyGr(second, once[group]);
  }
  for (WORD group = 0; group < first->GrNum; ++group)
    Check(WrittenGroup(second, group) == once[group]);
  ReleaseViewerProperty(first);
  ReleaseViewerProperty(second);
  return 0;
}
