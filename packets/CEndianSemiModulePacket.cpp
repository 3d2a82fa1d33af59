#include <zodavudaz/packets/CEndianSemiModulePacket.h>

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/ThreadAddr.h>
#include <zodavudaz/packets/WireField.h>

CEndianSemiModulePacket::CEndianSemiModulePacket(_SemiModulePacket* packet) noexcept : PacketView(packet) {}

void CEndianSemiModulePacket::Init(_SemiModulePacket* packet) noexcept { Packet = packet; }

_SemiModulePacket* CEndianSemiModulePacket::GetPacket() const noexcept { return Packet; }

WORD CEndianSemiModulePacket::GetPacketHeaderSize() const noexcept { return sizeof(_SemiModulePacket); }

WORD CEndianSemiModulePacket::GetSize() const noexcept {
  return SaturateToWord(GetDataSize() + 0ull + sizeof(_SemiModulePacket));
}

WORD CEndianSemiModulePacket::GetModuleId() const noexcept { return Read<BYTE>(offsetof(_SemiModulePacket, ModuleId)); }

WORD CEndianSemiModulePacket::GetModuleXId() const noexcept { return ModuleXIdOf(static_cast<BYTE>(GetModuleId())); }

int CEndianSemiModulePacket::IsConnectCntl() const noexcept { return GetModuleId(); }

WORD CEndianSemiModulePacket::GetCmdId() const noexcept { return Read<BYTE>(offsetof(_SemiModulePacket, CmdId)); }

int CEndianSemiModulePacket::IsEventPacket() const noexcept { return IsEventCmdId(static_cast<BYTE>(GetCmdId())); }

WORD CEndianSemiModulePacket::GetCntl() const noexcept { return Read<WORD>(offsetof(_SemiModulePacket, Cntl)); }

WORD CEndianSemiModulePacket::GetMaskedCntlId() const noexcept { return MaskedCntlIdOf(GetCntl()); }

WORD CEndianSemiModulePacket::GetCntlOfst() const noexcept { return CntlOfstOf(GetCntl()); }

WORD CEndianSemiModulePacket::GetParamType() const noexcept {
  return Read<BYTE>(offsetof(_SemiModulePacket, ParamType));
}

WORD CEndianSemiModulePacket::GetVersion() const noexcept { return Read<BYTE>(offsetof(_SemiModulePacket, Version)); }

DWORD CEndianSemiModulePacket::GetParamNum() const noexcept {
  return Read<DWORD>(offsetof(_SemiModulePacket, ParamNum));
}

DWORD CEndianSemiModulePacket::GetThreadAddr() const noexcept {
  return Read<DWORD>(offsetof(_SemiModulePacket, ThreadAddr));
}

CRplySync* CEndianSemiModulePacket::GetRplySync() const noexcept { return RplySyncOf(GetThreadAddr()); }

void CEndianSemiModulePacket::SetModuleId(WORD moduleId) noexcept {
  Write(offsetof(_SemiModulePacket, ModuleId), static_cast<BYTE>(moduleId));
}

void CEndianSemiModulePacket::SetCmdId(WORD cmdId) noexcept {
  Write(offsetof(_SemiModulePacket, CmdId), static_cast<BYTE>(cmdId));
}

void CEndianSemiModulePacket::SetCntlId(WORD cntl) noexcept { Write(offsetof(_SemiModulePacket, Cntl), cntl); }

void CEndianSemiModulePacket::SetParamType(WORD type) noexcept {
  Write(offsetof(_SemiModulePacket, ParamType), static_cast<BYTE>(type));
}

void CEndianSemiModulePacket::SetVersion(WORD version) noexcept {
  Write(offsetof(_SemiModulePacket, Version), static_cast<BYTE>(version));
}

void CEndianSemiModulePacket::SetParamNum(DWORD number) noexcept {
  Write(offsetof(_SemiModulePacket, ParamNum), number);
}

void CEndianSemiModulePacket::SetThreadAddr(DWORD address) noexcept {
  Write(offsetof(_SemiModulePacket, ThreadAddr), address);
}

void CEndianSemiModulePacket::SetInvalidThreadAddr() noexcept { SetThreadAddr(0); }

BYTE CEndianSemiModulePacket::GetDataB(WORD index) const noexcept { return LoadItem<BYTE>(GetData(), index); }
WORD CEndianSemiModulePacket::GetDataW(WORD index) const noexcept { return LoadItem<WORD>(GetData(), index); }
DWORD CEndianSemiModulePacket::GetDataDW(WORD index) const noexcept { return LoadItem<DWORD>(GetData(), index); }
float CEndianSemiModulePacket::GetDataReal(WORD index) const noexcept { return LoadItem<float>(GetData(), index); }
double CEndianSemiModulePacket::GetDataDReal(WORD index) const noexcept { return LoadItem<double>(GetData(), index); }
void CEndianSemiModulePacket::SetDataB(WORD index, BYTE value) noexcept { StoreItem(GetData(), index, value); }
void CEndianSemiModulePacket::SetDataW(WORD index, WORD value) noexcept { StoreItem(GetData(), index, value); }
void CEndianSemiModulePacket::SetDataDW(WORD index, DWORD value) noexcept { StoreItem(GetData(), index, value); }
void CEndianSemiModulePacket::SetDataReal(WORD index, float value) noexcept { StoreItem(GetData(), index, value); }
void CEndianSemiModulePacket::SetDataDReal(WORD index, double value) noexcept { StoreItem(GetData(), index, value); }
