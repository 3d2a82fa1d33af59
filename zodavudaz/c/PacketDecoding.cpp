// Packets decoded to text through the C interface.
#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/control/PacketDecoding.h>

int32_t zdz_decode_packet(const void* packet, uint32_t length, int32_t kind, char* text, uint32_t capacity,
                          uint32_t* size) {
  if (packet == nullptr || IsBadBuffer(text, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  if (kind != ZDZ_PACKET_MODULE && kind != ZDZ_PACKET_STATION && kind != ZDZ_PACKET_SEMI)
    return Refused(ZDZ_E_ARGUMENT);
  const PacketKind packetKind = static_cast<PacketKind>(kind);
  if (length < PacketHeaderBytes(packetKind)) {
    NoteLastError("the packet has %u bytes; its header alone needs %u", static_cast<unsigned>(length),
                  static_cast<unsigned>(PacketHeaderBytes(packetKind)));
    return ZDZ_E_ARGUMENT;
  }
  return GuardedCall([&] {
    CString decoded;
    if (!DecodePacket(packet, length, packetKind, decoded))
      return ZDZ_E_NO_MEMORY;
    return PutText(decoded, text, capacity, size);
  });
}
