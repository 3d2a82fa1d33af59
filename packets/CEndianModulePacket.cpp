#include <zodavudaz/packets/CEndianModulePacket.h>

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/ThreadAddr.h>
#include <zodavudaz/packets/WireField.h>

namespace {
constexpr WORD HeaderSize = sizeof(_ModulePacket);
constexpr WORD DataHeaderSize = sizeof(_ModulePacket) - offsetof(_ModulePacket, ModuleId);
} // namespace

CEndianModulePacket::CEndianModulePacket(_ModulePacket* packet) noexcept : PacketView(packet) {}

void CEndianModulePacket::Init(_ModulePacket* packet) noexcept { Packet = packet; }

void* CEndianModulePacket::GetPacket() const noexcept { return Packet; }

WORD CEndianModulePacket::GetPacketHeaderSize() const noexcept { return HeaderSize; }

WORD CEndianModulePacket::GetDataHeaderSize() const noexcept { return DataHeaderSize; }

void* CEndianModulePacket::GetDataHeader() const noexcept { return BytesAt(offsetof(_ModulePacket, ModuleId)); }

DWORD CEndianModulePacket::GetSize() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, Size)); }

DWORD CEndianModulePacket::GetAllBytes() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, AllBytes)); }

DWORD CEndianModulePacket::GetCurPacketNo() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, CurPacketNo)); }

DWORD CEndianModulePacket::GetAllPacket() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, AllPacket)); }

DWORD CEndianModulePacket::GetParamNum() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, ParamNum)); }

DWORD CEndianModulePacket::GetThreadAddr() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, ThreadAddr)); }

CRplySync* CEndianModulePacket::GetRplySync() const noexcept { return RplySyncOf(GetThreadAddr()); }

WORD CEndianModulePacket::GetModuleId() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, ModuleId)); }

WORD CEndianModulePacket::GetCmdId() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, CmdId)); }

WORD CEndianModulePacket::GetParamType() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, ParamType)); }

WORD CEndianModulePacket::GetVersion() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, Version)); }

WORD CEndianModulePacket::GetCntl() const noexcept { return Read<WORD>(offsetof(_ModulePacket, Cntl)); }

void CEndianModulePacket::SetSize(DWORD dataLength) noexcept {
  Write(offsetof(_ModulePacket, Size), SaturateToDword(dataLength + 0ull + DataHeaderSize));
}

void CEndianModulePacket::SetAllBytes(DWORD packets, DWORD dataBytes) noexcept {
  Write(offsetof(_ModulePacket, AllBytes), SaturateToDword(packets * 1ull * DataHeaderSize + dataBytes));
}

void CEndianModulePacket::SetCurPacketNo(DWORD number) noexcept { Write(offsetof(_ModulePacket, CurPacketNo), number); }

void CEndianModulePacket::SetAllPacket(DWORD packets) noexcept { Write(offsetof(_ModulePacket, AllPacket), packets); }

void CEndianModulePacket::SetParamNum(DWORD number) noexcept { Write(offsetof(_ModulePacket, ParamNum), number); }

void CEndianModulePacket::SetThreadAddr(DWORD address) noexcept { Write(offsetof(_ModulePacket, ThreadAddr), address); }

void CEndianModulePacket::SetInvalidThreadAddr() noexcept { SetThreadAddr(0); }

void CEndianModulePacket::SetCntlId(WORD cntl) noexcept { Write(offsetof(_ModulePacket, Cntl), cntl); }

void CEndianModulePacket::SetModuleId(WORD moduleId) noexcept {
  Write(offsetof(_ModulePacket, ModuleId), static_cast<BYTE>(moduleId));
}

void CEndianModulePacket::SetCmdId(WORD cmdId) noexcept {
  Write(offsetof(_ModulePacket, CmdId), static_cast<BYTE>(cmdId));
}

void CEndianModulePacket::SetParamType(WORD type) noexcept {
  Write(offsetof(_ModulePacket, ParamType), static_cast<BYTE>(type));
}

void CEndianModulePacket::SetVersion(WORD version) noexcept {
  Write(offsetof(_ModulePacket, Version), static_cast<BYTE>(version));
}

DWORD CEndianModulePacket::GetPacketSize() const noexcept { return SaturateToDword(GetSize() + 0ull + DataHeaderSize); }

DWORD CEndianModulePacket::GetDataSize() const noexcept { return DifferenceOrZero(GetSize(), DataHeaderSize); }

DWORD CEndianModulePacket::GetAllDataSize() const noexcept {
  return DifferenceOrZero(GetAllBytes(), GetAllPacket() * 1ull * DataHeaderSize);
}

DWORD CEndianModulePacket::GetAllDataSizeWithHeader() const noexcept {
  return SaturateToDword(GetAllDataSize() + 0ull + HeaderSize);
}

WORD CEndianModulePacket::GetModuleXId() const noexcept { return ModuleXIdOf(static_cast<BYTE>(GetModuleId())); }

WORD CEndianModulePacket::GetMaskedCntlId() const noexcept { return MaskedCntlIdOf(GetCntl()); }

WORD CEndianModulePacket::GetCntlOfst() const noexcept { return CntlOfstOf(GetCntl()); }

int CEndianModulePacket::IsFirstPacket() const noexcept { return GetCurPacketNo() == 1 ? 1 : 0; }

int CEndianModulePacket::IsPacketAll() const noexcept { return GetCurPacketNo() == GetAllPacket() ? 1 : 0; }

int CEndianModulePacket::IsEventPacket() const noexcept { return IsEventCmdId(static_cast<BYTE>(GetCmdId())); }

BYTE CEndianModulePacket::GetDataB(WORD index) const noexcept { return LoadItem<BYTE>(GetData(), index); }
WORD CEndianModulePacket::GetDataW(WORD index) const noexcept { return LoadItem<WORD>(GetData(), index); }
DWORD CEndianModulePacket::GetDataDW(WORD index) const noexcept { return LoadItem<DWORD>(GetData(), index); }
float CEndianModulePacket::GetDataReal(WORD index) const noexcept { return LoadItem<float>(GetData(), index); }
double CEndianModulePacket::GetDataDReal(WORD index) const noexcept { return LoadItem<double>(GetData(), index); }
void CEndianModulePacket::SetDataB(WORD index, BYTE value) noexcept { StoreItem(GetData(), index, value); }
void CEndianModulePacket::SetDataW(WORD index, WORD value) noexcept { StoreItem(GetData(), index, value); }
void CEndianModulePacket::SetDataDW(WORD index, DWORD value) noexcept { StoreItem(GetData(), index, value); }
void CEndianModulePacket::SetDataReal(WORD index, float value) noexcept { StoreItem(GetData(), index, value); }
void CEndianModulePacket::SetDataDReal(WORD index, double value) noexcept { StoreItem(GetData(), index, value); }

BYTE CEndianModulePacket::GetDataExB(WORD index) const noexcept { return LoadItem<BYTE>(GetDataEx(), index); }
WORD CEndianModulePacket::GetDataExW(WORD index) const noexcept { return LoadItem<WORD>(GetDataEx(), index); }
DWORD CEndianModulePacket::GetDataExDW(WORD index) const noexcept { return LoadItem<DWORD>(GetDataEx(), index); }
float CEndianModulePacket::GetDataExReal(WORD index) const noexcept { return LoadItem<float>(GetDataEx(), index); }
double CEndianModulePacket::GetDataExDReal(WORD index) const noexcept { return LoadItem<double>(GetDataEx(), index); }
void CEndianModulePacket::SetDataExB(WORD index, BYTE value) noexcept { StoreItem(GetDataEx(), index, value); }
void CEndianModulePacket::SetDataExW(WORD index, WORD value) noexcept { StoreItem(GetDataEx(), index, value); }
void CEndianModulePacket::SetDataExDW(WORD index, DWORD value) noexcept { StoreItem(GetDataEx(), index, value); }
void CEndianModulePacket::SetDataExReal(WORD index, float value) noexcept { StoreItem(GetDataEx(), index, value); }
void CEndianModulePacket::SetDataExDReal(WORD index, double value) noexcept { StoreItem(GetDataEx(), index, value); }
