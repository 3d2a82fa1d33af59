// Arbitrary bytes decoded as each kind of packet, as `zdz packet decode` and the C and Python
// layers hand them on: the first byte picks the kind (3 is none), the rest is the packet, held in
// a buffer of exactly its length. Decoding answers 1 with text exactly where the kind is known and
// the header whole.
#include "fuzz/FuzzCheck.h"
#include <zodavudaz/control/PacketDecoding.h>

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > (1u << 16))
    return 0;
  const auto kind = static_cast<PacketKind>(data[0] % 4);
  const std::vector<uint8_t> packet(data + 1, data + size);
  const auto length = static_cast<DWORD>(packet.size());
  CString text;
  const int decoded = DecodePacket(packet.empty() ? nullptr : packet.data(), length, kind, text);
  const bool known = data[0] % 4 < 3;
  const bool whole = !packet.empty() && known && length >= PacketHeaderBytes(kind);
  Check(decoded == (whole ? 1 : 0) && text.IsEmpty() != whole);
  return 0;
}
