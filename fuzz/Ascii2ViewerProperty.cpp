// Fuzzes the record text reader: no crash or overrun, and the text of a record it returns comes
// back unchanged after one more read and write.
#include "viewer/ViewerPropertyText.h"

#include <cstdint>
#include <cstdlib>

namespace {
// Larger records only slow the search; the reader itself still runs on them.
constexpr WORD MaxCheckedChannels = 1024;

CString Written(const ViewerProperty* record) {
  CString text;
  if (ViewerProperty2Ascii(record, text) != 0)
    std::abort();
  return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ViewerProperty* first = Ascii2ViewerProperty(CString(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  ViewerProperty* second = nullptr;
  if (first != nullptr && first->ChannelCapacity <= MaxCheckedChannels) {
    const CString once = Written(first);
    second = Ascii2ViewerProperty(once);
    // A later "ChannelNumber 0" leaves a record whose text reads back as none.
    if ((second == nullptr) != (first->ChannelNumber == 0) || (second != nullptr && Written(second) != once))
      std::abort();
  }
  ReleaseViewerProperty(first);
  ReleaseViewerProperty(second);
  return 0;
}
