// The station packet layout (a station header around one module packet) and its accessor class.
#ifndef ZODAVUDAZ_PACKETS_CENDIANSTAPACKET_H
#define ZODAVUDAZ_PACKETS_CENDIANSTAPACKET_H

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
  ZODAVUDAZ_EXPORT CEndianStaPacket(_StaPackect* packet) noexcept : PacketView(packet) {}
  /// Binds the view to packet.
  ZODAVUDAZ_EXPORT void Init(_StaPackect* packet) noexcept { Packet = packet; }
  CEndianStaPacket(const CEndianStaPacket&) noexcept = default;
  CEndianStaPacket& operator=(const CEndianStaPacket&) noexcept = default;

  /// Receiver and sender addresses.
  ZODAVUDAZ_EXPORT LONG GetRXAddr() const noexcept { return Read<LONG>(offsetof(_StaPackect, RXAddr)); }
  ZODAVUDAZ_EXPORT LONG GetTXAddr() const noexcept { return Read<LONG>(offsetof(_StaPackect, TXAddr)); }
  /// The same as GetRXAddr and GetTXAddr.
  ZODAVUDAZ_EXPORT LONG GetStationRXAddr() const noexcept { return GetRXAddr(); }
  ZODAVUDAZ_EXPORT LONG GetStationTXAddr() const noexcept { return GetTXAddr(); }
  ZODAVUDAZ_EXPORT void SetRXAddr(LONG address) noexcept { Write(offsetof(_StaPackect, RXAddr), address); }
  ZODAVUDAZ_EXPORT void SetTXAddr(LONG address) noexcept { Write(offsetof(_StaPackect, TXAddr), address); }

  /// The body size field: bytes from offset 20 to the end.
  ZODAVUDAZ_EXPORT WORD GetBodySize() const noexcept { return Read<WORD>(offsetof(_StaPackect, BodySize)); }
  /// Body size + 20: the whole station packet; 0xFFFF when that does not fit 16 bits.
  ZODAVUDAZ_EXPORT WORD GetSize() const noexcept { return SaturateToWord(GetBodySize() + 0ull + HeaderBeforeBody); }
  /// The embedded module packet at packet + 28; null before Init.
  ZODAVUDAZ_EXPORT _ModulePacket* GetModulePacket() const noexcept {
    return reinterpret_cast<_ModulePacket*>(BytesAt(offsetof(_StaPackect, ModulePacket)));
  }
  /// The embedded module packet's size field (its length less 16); 0xFFFF when it does not fit
  /// 16 bits.
  ZODAVUDAZ_EXPORT WORD GetModulePacketSize() const noexcept {
    return SaturateToWord(Read<DWORD>(offsetof(_StaPackect, ModulePacket) + offsetof(_ModulePacket, Size)));
  }
  /// Body size := GetModulePacketSize() + 24, the module packet's length plus the 8-byte prefix. A
  /// module packet of 65,528 bytes or more does not fit the 16-bit field: the field is left as it
  /// was, so that GetBodySize() no longer matches and the packet cannot go out with a wrapped size.
  ZODAVUDAZ_EXPORT void SetBodySize() noexcept {
    const unsigned long long bodySize = GetModulePacketSize() + 0ull + TransferPrefixSize + BodyPrefixSize;
    if (bodySize <= 0xFFFF)
      Write(offsetof(_StaPackect, BodySize), static_cast<WORD>(bodySize));
  }

private:
  static constexpr WORD HeaderBeforeBody = offsetof(_StaPackect, BodyPrefix);
  static constexpr WORD BodyPrefixSize = sizeof(_StaPackect::BodyPrefix);
  // The module packet's size field leaves out its own transfer prefix.
  static constexpr WORD TransferPrefixSize = offsetof(_ModulePacket, ModuleId);
};

#endif
