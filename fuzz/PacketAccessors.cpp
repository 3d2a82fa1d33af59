// Arbitrary bytes read through every accessor of the module, station and semi-module packets: no
// read outside the bytes given, sizes that never wrap, and writes of what was read that change
// nothing.
#include "fuzz/FuzzCheck.h"
#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CEndianSemiModulePacket.h>
#include <zodavudaz/packets/CEndianStaPacket.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
/// Items 0 to count - 1 read through get and written back through set.
template <typename AccessorT, typename T>
void RoundTrip(AccessorT& packet, std::size_t count, T (AccessorT::*get)(WORD) const noexcept,
               void (AccessorT::*set)(WORD, T) noexcept) {
  for (std::size_t i = 0; i < count; ++i)
    (packet.*set)(static_cast<WORD>(i), (packet.*get)(static_cast<WORD>(i)));
}

/// Items 0 to count - 1 read through get; floating values are not written back, since loading
/// one may quiet a signalling NaN.
template <typename AccessorT, typename T>
void ReadAll(const AccessorT& packet, std::size_t count, T (AccessorT::*get)(WORD) const noexcept) {
  for (std::size_t i = 0; i < count; ++i)
    (packet.*get)(static_cast<WORD>(i));
}

/// The items of each width that lie inside length bytes of the data area.
template <typename AccessorT>
void TouchItems(AccessorT& packet, std::size_t length) {
  const std::size_t bytes = std::min<std::size_t>(length, 0x10000);
  RoundTrip(packet, bytes, &AccessorT::GetDataB, &AccessorT::SetDataB);
  RoundTrip(packet, bytes / 2, &AccessorT::GetDataW, &AccessorT::SetDataW);
  RoundTrip(packet, bytes / 4, &AccessorT::GetDataDW, &AccessorT::SetDataDW);
  ReadAll(packet, bytes / 4, &AccessorT::GetDataReal);
  ReadAll(packet, bytes / 8, &AccessorT::GetDataDReal);
}

/// The same for the extended data area of a module packet.
void TouchExtendedItems(CEndianModulePacket& packet, std::size_t length) {
  using Packet = CEndianModulePacket;
  const std::size_t bytes = std::min<std::size_t>(length, 0x10000);
  RoundTrip(packet, bytes, &Packet::GetDataExB, &Packet::SetDataExB);
  RoundTrip(packet, bytes / 2, &Packet::GetDataExW, &Packet::SetDataExW);
  RoundTrip(packet, bytes / 4, &Packet::GetDataExDW, &Packet::SetDataExDW);
  ReadAll(packet, bytes / 4, &Packet::GetDataExReal);
  ReadAll(packet, bytes / 8, &Packet::GetDataExDReal);
}

template <typename AccessorT>
void CheckDataHeader(AccessorT& packet) {
  const WORD cntl = packet.GetCntl();
  Check((packet.GetMaskedCntlId() | (packet.GetCntlOfst() << 12)) == cntl);
  Check(packet.GetModuleXId() == (packet.GetModuleId() == 0xFF ? 9 : packet.GetModuleId()));
  Check(packet.IsEventPacket() == ((packet.GetCmdId() & 0x0F) == 7 ? 1 : 0));
  packet.GetRplySync();
  packet.SetModuleId(packet.GetModuleId());
  packet.SetCmdId(packet.GetCmdId());
  packet.SetCntlId(cntl);
  packet.SetParamType(packet.GetParamType());
  packet.SetVersion(packet.GetVersion());
  packet.SetParamNum(packet.GetParamNum());
  packet.SetThreadAddr(packet.GetThreadAddr());
}

/// A module packet of length bytes at bytes (at least its header).
void ReadModulePacket(BYTE* bytes, std::size_t length) {
  const std::vector<BYTE> before(bytes, bytes + length);
  CEndianModulePacket packet(reinterpret_cast<_ModulePacket*>(bytes));
  const DWORD size = packet.GetSize();
  Check(packet.GetDataSize() == (size > 16 ? size - 16 : 0));
  Check(packet.GetPacketSize() >= size && packet.GetPacketSize() >= 16);
  Check(packet.GetAllDataSize() <= packet.GetAllBytes());
  Check(packet.GetAllDataSizeWithHeader() >= 32);
  packet.IsFirstPacket();
  packet.IsPacketAll();
  CheckDataHeader(packet);
  packet.SetCurPacketNo(packet.GetCurPacketNo());
  packet.SetAllPacket(packet.GetAllPacket());
  const std::size_t there = length - sizeof(_ModulePacket);
  TouchItems(packet, std::min<std::size_t>(packet.GetDataSize(), there));
  const std::size_t extendedAt = static_cast<BYTE*>(packet.GetDataEx()) - bytes;
  if (extendedAt <= length)
    TouchExtendedItems(packet, length - extendedAt);
  Check(std::memcmp(before.data(), bytes, length) == 0);
}

void ReadSemiModulePacket(BYTE* bytes, std::size_t length) {
  const std::vector<BYTE> before(bytes, bytes + length);
  CEndianSemiModulePacket packet(reinterpret_cast<_SemiModulePacket*>(bytes));
  Check(packet.GetSize() == std::min<unsigned>(0xFFFF, packet.GetDataSize() + 16u));
  Check(packet.IsConnectCntl() == packet.GetModuleId());
  CheckDataHeader(packet);
  TouchItems(packet, std::min<std::size_t>(packet.GetDataSize(), length - sizeof(_SemiModulePacket)));
  Check(std::memcmp(before.data(), bytes, length) == 0);
}

void ReadStationPacket(BYTE* bytes, std::size_t length) {
  CEndianStaPacket packet(reinterpret_cast<_StaPackect*>(bytes));
  Check(packet.GetRXAddr() == packet.GetStationRXAddr() && packet.GetTXAddr() == packet.GetStationTXAddr());
  Check(packet.GetSize() == std::min<unsigned>(0xFFFF, packet.GetBodySize() + 20u));
  const WORD before = packet.GetBodySize();
  const unsigned wanted = packet.GetModulePacketSize() + 24u;
  packet.SetBodySize();
  Check(packet.GetBodySize() == (wanted <= 0xFFFF ? wanted : before));
  if (length >= offsetof(_StaPackect, ModulePacket) + sizeof(_ModulePacket))
    ReadModulePacket(reinterpret_cast<BYTE*>(packet.GetModulePacket()), length - offsetof(_StaPackect, ModulePacket));
}

/// Runs read on a copy of exactly length bytes, so that any read past them is caught.
void OnCopy(const std::uint8_t* data, std::size_t length, void (*read)(BYTE*, std::size_t)) {
  std::vector<BYTE> copy(data, data + length);
  read(copy.data(), length);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= sizeof(_SemiModulePacket))
    OnCopy(data, size, ReadSemiModulePacket);
  if (size >= sizeof(_ModulePacket)) {
    OnCopy(data, size, ReadModulePacket);
    OnCopy(data, size, ReadStationPacket);
  }
  return 0;
}
