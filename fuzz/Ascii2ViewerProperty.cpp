// Fuzzes the record text reader: no crash or overrun, and the text of a record it returns comes
// back unchanged after one more read and write.
#include "fuzz/FuzzCheck.h"
#include "tests/hooks/BlockFaults.h"
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <cstdint>

namespace {
// Larger records only slow the search; the reader itself still runs on them.
constexpr WORD MaxCheckedChannels = 1024;

CString Written(const ViewerProperty* record) {
  CString text;
  Check(ViewerProperty2Ascii(record, text) == 0);
  return text;
}
} // namespace

// Under the user-mode emulator the sanitizer's allocator fails after a few thousand mappings of
// multi-megabyte blocks, so records of more than 2048 channels take the allocation-failure path.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  LimitBlockSize(std::size_t{64} * 1024);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ViewerProperty* first = Ascii2ViewerProperty(CString(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  ViewerProperty* second = nullptr;
  if (first != nullptr && first->ChannelCapacity <= MaxCheckedChannels) {
    const CString once = Written(first);
    second = Ascii2ViewerProperty(once);
    // A later "ChannelNumber 0" leaves a record whose text reads back as none.
    Check((second == nullptr) == (first->ChannelNumber == 0) && (second == nullptr || Written(second) == once));
  }
  ReleaseViewerProperty(first);
  ReleaseViewerProperty(second);
  return 0;
}
