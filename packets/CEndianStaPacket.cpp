#include <zodavudaz/packets/CEndianStaPacket.h>

namespace {
constexpr WORD HeaderBeforeBody = offsetof(_StaPackect, BodyPrefix);
constexpr WORD BodyPrefixSize = sizeof(_StaPackect::BodyPrefix);
// The module packet's size field leaves out its own transfer prefix.
constexpr WORD TransferPrefixSize = offsetof(_ModulePacket, ModuleId);
} // namespace

CEndianStaPacket::CEndianStaPacket(_StaPackect* packet) noexcept : PacketView(packet) {}

void CEndianStaPacket::Init(_StaPackect* packet) noexcept { Packet = packet; }

LONG CEndianStaPacket::GetRXAddr() const noexcept { return Read<LONG>(offsetof(_StaPackect, RXAddr)); }

LONG CEndianStaPacket::GetTXAddr() const noexcept { return Read<LONG>(offsetof(_StaPackect, TXAddr)); }

LONG CEndianStaPacket::GetStationRXAddr() const noexcept { return GetRXAddr(); }

LONG CEndianStaPacket::GetStationTXAddr() const noexcept { return GetTXAddr(); }

void CEndianStaPacket::SetRXAddr(LONG address) noexcept { Write(offsetof(_StaPackect, RXAddr), address); }

void CEndianStaPacket::SetTXAddr(LONG address) noexcept { Write(offsetof(_StaPackect, TXAddr), address); }

WORD CEndianStaPacket::GetBodySize() const noexcept { return Read<WORD>(offsetof(_StaPackect, BodySize)); }

WORD CEndianStaPacket::GetSize() const noexcept { return SaturateToWord(GetBodySize() + 0ull + HeaderBeforeBody); }

_ModulePacket* CEndianStaPacket::GetModulePacket() const noexcept {
  return reinterpret_cast<_ModulePacket*>(BytesAt(offsetof(_StaPackect, ModulePacket)));
}

WORD CEndianStaPacket::GetModulePacketSize() const noexcept {
  return SaturateToWord(Read<DWORD>(offsetof(_StaPackect, ModulePacket) + offsetof(_ModulePacket, Size)));
}

void CEndianStaPacket::SetBodySize() noexcept {
  const unsigned long long bodySize = GetModulePacketSize() + 0ull + TransferPrefixSize + BodyPrefixSize;
  if (bodySize <= 0xFFFF)
    Write(offsetof(_StaPackect, BodySize), static_cast<WORD>(bodySize));
}
