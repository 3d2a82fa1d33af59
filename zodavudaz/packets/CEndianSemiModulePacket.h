// The semi-module packet layout (a module packet without its transfer prefix) and its accessor class.
#ifndef ZODAVUDAZ_PACKETS_CENDIANSEMIMODULEPACKET_H
#define ZODAVUDAZ_PACKETS_CENDIANSEMIMODULEPACKET_H

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/PacketView.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

class CRplySync;

/// The 16-byte data header of a module packet; the data follows it.
struct _SemiModulePacket {
  BYTE ModuleId;
  BYTE CmdId;
  WORD Cntl;
  BYTE ParamType;
  BYTE Version;
  BYTE Reserved[2];
  DWORD ParamNum;
  DWORD ThreadAddr;
};
static_assert(sizeof(_SemiModulePacket) == 16);
static_assert(offsetof(_SemiModulePacket, ModuleId) == 0);
static_assert(offsetof(_SemiModulePacket, CmdId) == 1);
static_assert(offsetof(_SemiModulePacket, Cntl) == 2);
static_assert(offsetof(_SemiModulePacket, ParamType) == 4);
static_assert(offsetof(_SemiModulePacket, Version) == 5);
static_assert(offsetof(_SemiModulePacket, ParamNum) == 8);
static_assert(offsetof(_SemiModulePacket, ThreadAddr) == 12);

/// A view of a semi-module packet that lives elsewhere, at any address; owns nothing, copies
/// share the packet. Before Init (or on a null packet) every field reads as 0 and writes do nothing.
class ZODAVUDAZ_EXPORT CEndianSemiModulePacket : private PacketView<_SemiModulePacket> {
public:
  CEndianSemiModulePacket() noexcept = default;
  ZODAVUDAZ_EXPORT CEndianSemiModulePacket(_SemiModulePacket* packet) noexcept : PacketView(packet) {}
  /// Binds the view to packet.
  ZODAVUDAZ_EXPORT void Init(_SemiModulePacket* packet) noexcept { Packet = packet; }
  CEndianSemiModulePacket(const CEndianSemiModulePacket&) noexcept = default;
  CEndianSemiModulePacket& operator=(const CEndianSemiModulePacket&) noexcept = default;
  /// The packet viewed, or null before Init.
  ZODAVUDAZ_EXPORT _SemiModulePacket* GetPacket() const noexcept { return Packet; }

  /// 16: the header.
  ZODAVUDAZ_EXPORT WORD GetPacketHeaderSize() const noexcept { return sizeof(_SemiModulePacket); }
  /// GetDataSize() + 16, or 0xFFFF when that does not fit 16 bits.
  ZODAVUDAZ_EXPORT WORD GetSize() const noexcept {
    return SaturateToWord(GetDataSize() + 0ull + sizeof(_SemiModulePacket));
  }
  /// Length of the data (placed by the communication library).
  WORD GetDataSize() const noexcept;

  // The header fields as they stand (byte fields widened to 16 bits), and what they mean.
  ZODAVUDAZ_EXPORT WORD GetModuleId() const noexcept { return Read<BYTE>(offsetof(_SemiModulePacket, ModuleId)); }
  /// 9 for module id 0xFF, else the module id.
  ZODAVUDAZ_EXPORT WORD GetModuleXId() const noexcept { return ModuleXIdOf(static_cast<BYTE>(GetModuleId())); }
  /// The module id byte: nonzero for every module but module 0.
  ZODAVUDAZ_EXPORT int IsConnectCntl() const noexcept { return GetModuleId(); }
  ZODAVUDAZ_EXPORT WORD GetCmdId() const noexcept { return Read<BYTE>(offsetof(_SemiModulePacket, CmdId)); }
  /// 1 when the command group is 7 (event), whatever the flags.
  ZODAVUDAZ_EXPORT int IsEventPacket() const noexcept { return IsEventCmdId(static_cast<BYTE>(GetCmdId())); }
  /// The whole control word, offset bits included.
  ZODAVUDAZ_EXPORT WORD GetCntl() const noexcept { return Read<WORD>(offsetof(_SemiModulePacket, Cntl)); }
  /// Control word & 0x0FFF, and control word >> 12.
  ZODAVUDAZ_EXPORT WORD GetMaskedCntlId() const noexcept { return MaskedCntlIdOf(GetCntl()); }
  ZODAVUDAZ_EXPORT WORD GetCntlOfst() const noexcept { return CntlOfstOf(GetCntl()); }
  ZODAVUDAZ_EXPORT WORD GetParamType() const noexcept { return Read<BYTE>(offsetof(_SemiModulePacket, ParamType)); }
  ZODAVUDAZ_EXPORT WORD GetVersion() const noexcept { return Read<BYTE>(offsetof(_SemiModulePacket, Version)); }
  ZODAVUDAZ_EXPORT DWORD GetParamNum() const noexcept { return Read<DWORD>(offsetof(_SemiModulePacket, ParamNum)); }
  ZODAVUDAZ_EXPORT DWORD GetThreadAddr() const noexcept { return Read<DWORD>(offsetof(_SemiModulePacket, ThreadAddr)); }
  /// The thread address as a pointer to the requester's reply record; never dereferenced here.
  CRplySync* GetRplySync() const noexcept;

  /// The byte setters store the low byte of their argument.
  ZODAVUDAZ_EXPORT void SetModuleId(WORD moduleId) noexcept {
    Write(offsetof(_SemiModulePacket, ModuleId), static_cast<BYTE>(moduleId));
  }
  ZODAVUDAZ_EXPORT void SetCmdId(WORD cmdId) noexcept {
    Write(offsetof(_SemiModulePacket, CmdId), static_cast<BYTE>(cmdId));
  }
  /// Stores the whole control word, offset bits included.
  ZODAVUDAZ_EXPORT void SetCntlId(WORD cntl) noexcept { Write(offsetof(_SemiModulePacket, Cntl), cntl); }
  ZODAVUDAZ_EXPORT void SetParamType(WORD type) noexcept {
    Write(offsetof(_SemiModulePacket, ParamType), static_cast<BYTE>(type));
  }
  ZODAVUDAZ_EXPORT void SetVersion(WORD version) noexcept {
    Write(offsetof(_SemiModulePacket, Version), static_cast<BYTE>(version));
  }
  ZODAVUDAZ_EXPORT void SetParamNum(DWORD number) noexcept { Write(offsetof(_SemiModulePacket, ParamNum), number); }
  ZODAVUDAZ_EXPORT void SetThreadAddr(DWORD address) noexcept {
    Write(offsetof(_SemiModulePacket, ThreadAddr), address);
  }
  ZODAVUDAZ_EXPORT void SetInvalidThreadAddr() noexcept { SetThreadAddr(0); }

  /// Start of the data (placed by the communication library); null before Init.
  void* GetData() const noexcept;
  /// Item index of an array of the item's type at GetData(); not bounds-checked.
  ZODAVUDAZ_EXPORT BYTE GetDataB(WORD index) const noexcept { return LoadItem<BYTE>(GetData(), index); }
  ZODAVUDAZ_EXPORT WORD GetDataW(WORD index) const noexcept { return LoadItem<WORD>(GetData(), index); }
  ZODAVUDAZ_EXPORT DWORD GetDataDW(WORD index) const noexcept { return LoadItem<DWORD>(GetData(), index); }
  ZODAVUDAZ_EXPORT float GetDataReal(WORD index) const noexcept { return LoadItem<float>(GetData(), index); }
  ZODAVUDAZ_EXPORT double GetDataDReal(WORD index) const noexcept { return LoadItem<double>(GetData(), index); }
  ZODAVUDAZ_EXPORT void SetDataB(WORD index, BYTE value) noexcept { StoreItem(GetData(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataW(WORD index, WORD value) noexcept { StoreItem(GetData(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataDW(WORD index, DWORD value) noexcept { StoreItem(GetData(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataReal(WORD index, float value) noexcept { StoreItem(GetData(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataDReal(WORD index, double value) noexcept { StoreItem(GetData(), index, value); }
};

#endif
