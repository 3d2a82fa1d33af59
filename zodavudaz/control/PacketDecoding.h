// A module, station or semi-module packet decoded to text, field by field.
#ifndef ZODAVUDAZ_CONTROL_PACKETDECODING_H
#define ZODAVUDAZ_CONTROL_PACKETDECODING_H

#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CEndianSemiModulePacket.h>
#include <zodavudaz/packets/CEndianStaPacket.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// The packets DecodePacket reads.
enum class PacketKind : int { Module = 0, Station = 1, Semi = 2 };

/// The bytes of kind's header: the least a packet of that kind has.
constexpr DWORD PacketHeaderBytes(PacketKind kind) noexcept {
  switch (kind) {
  case PacketKind::Station: return sizeof(_StaPackect);
  case PacketKind::Semi: return sizeof(_SemiModulePacket);
  default: return sizeof(_ModulePacket);
  }
}

/// Sets text to the packet's fields read through its accessor class, one "name  value" line each
/// (sizes, command group and flags, control id and offset, the handlers of CModuleCntl that it
/// reaches) and its data bytes in hex, as far as the length bytes given hold them, with a line
/// saying so when the packet claims more or fewer. 1; 0 with empty text for a null packet, an
/// unknown kind, a packet shorter than its header, or a text that cannot be allocated.
ZODAVUDAZ_EXPORT int DecodePacket(const void* packet, DWORD length, PacketKind kind, CString& text) noexcept;

#endif
