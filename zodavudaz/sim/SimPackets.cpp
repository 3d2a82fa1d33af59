// Where the simulated communication library places the data of module and semi-module packets.
#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CEndianSemiModulePacket.h>
#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/sim/SimModule.h>

namespace {
// The extended data area follows an 8-byte parameter value at the head of the data area.
constexpr std::size_t ExtendedDataOffset = 8;
constexpr BYTE NoDataType = 0xFF;
} // namespace

void* CEndianModulePacket::GetData() const noexcept { return BytesAt(sizeof(_ModulePacket)); }

void* CEndianModulePacket::GetDataEx() const noexcept { return BytesAt(sizeof(_ModulePacket) + ExtendedDataOffset); }

void* CEndianSemiModulePacket::GetData() const noexcept { return BytesAt(sizeof(_SemiModulePacket)); }

// A semi-module packet has no size field: its data is its parameter count of its parameter type.
WORD CEndianSemiModulePacket::GetDataSize() const noexcept {
  const WORD type = GetParamType();
  return type == NoDataType ? WORD{0} : SaturateToWord(GetParamNum() * 1ull * SimWidthOf(type));
}
