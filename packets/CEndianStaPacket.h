// The station packet layout (a station header around one module packet) and its accessor class.
#ifndef PACKETS_CENDIANSTAPACKET_H
#define PACKETS_CENDIANSTAPACKET_H

#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/PacketView.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

/// What travels between stations and PCs: a 28-byte station header, then one whole module packet.
/// The body is everything from offset 20 on: the body prefix and the module packet.
struct _StaPackect {
  BYTE HeaderWord[4];
  LONG RXAddr;
  LONG TXAddr;
  BYTE HeaderBytes[6];
  WORD BodySize;
  BYTE BodyPrefix[8];
  _ModulePacket ModulePacket;
};
static_assert(sizeof(_StaPackect) == 60);
static_assert(offsetof(_StaPackect, RXAddr) == 4);
static_assert(offsetof(_StaPackect, TXAddr) == 8);
static_assert(offsetof(_StaPackect, HeaderBytes) == 12);
static_assert(offsetof(_StaPackect, BodySize) == 18);
static_assert(offsetof(_StaPackect, BodyPrefix) == 20);
static_assert(offsetof(_StaPackect, ModulePacket) == 28);

/// A view of a station packet that lives elsewhere, at any address; owns nothing, copies share the
/// packet. Before Init (or on a null packet) every field reads as 0 and writes do nothing.
class ZODAVUDAZ_EXPORT CEndianStaPacket : private PacketView<_StaPackect> {
public:
  CEndianStaPacket() noexcept = default;
  CEndianStaPacket(_StaPackect* packet) noexcept;
  /// Binds the view to packet.
  void Init(_StaPackect* packet) noexcept;
  CEndianStaPacket(const CEndianStaPacket&) noexcept = default;
  CEndianStaPacket& operator=(const CEndianStaPacket&) noexcept = default;

  /// Receiver and sender addresses.
  LONG GetRXAddr() const noexcept;
  LONG GetTXAddr() const noexcept;
  /// The same as GetRXAddr and GetTXAddr.
  LONG GetStationRXAddr() const noexcept;
  LONG GetStationTXAddr() const noexcept;
  void SetRXAddr(LONG address) noexcept;
  void SetTXAddr(LONG address) noexcept;

  /// The body size field: bytes from offset 20 to the end.
  WORD GetBodySize() const noexcept;
  /// Body size + 20: the whole station packet; 0xFFFF when that does not fit 16 bits.
  WORD GetSize() const noexcept;
  /// The embedded module packet at packet + 28; null before Init.
  _ModulePacket* GetModulePacket() const noexcept;
  /// The embedded module packet's size field (its length less 16); 0xFFFF when it does not fit
  /// 16 bits.
  WORD GetModulePacketSize() const noexcept;
  /// Body size := GetModulePacketSize() + 24, the module packet's length plus the 8-byte prefix. A
  /// module packet of 65,528 bytes or more does not fit the 16-bit field: the field is left as it
  /// was, so that GetBodySize() no longer matches and the packet cannot go out with a wrapped size.
  void SetBodySize() noexcept;
};

#endif
