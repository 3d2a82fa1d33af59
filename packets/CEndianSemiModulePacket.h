// The semi-module packet layout (a module packet without its transfer prefix) and its accessor class.
#ifndef PACKETS_CENDIANSEMIMODULEPACKET_H
#define PACKETS_CENDIANSEMIMODULEPACKET_H

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
  CEndianSemiModulePacket(_SemiModulePacket* packet) noexcept;
  /// Binds the view to packet.
  void Init(_SemiModulePacket* packet) noexcept;
  CEndianSemiModulePacket(const CEndianSemiModulePacket&) noexcept = default;
  CEndianSemiModulePacket& operator=(const CEndianSemiModulePacket&) noexcept = default;
  /// The packet viewed, or null before Init.
  _SemiModulePacket* GetPacket() const noexcept;

  /// 16: the header.
  WORD GetPacketHeaderSize() const noexcept;
  /// GetDataSize() + 16, or 0xFFFF when that does not fit 16 bits.
  WORD GetSize() const noexcept;
  /// Length of the data (placed by the communication library).
  WORD GetDataSize() const noexcept;

  // The header fields as they stand (byte fields widened to 16 bits), and what they mean.
  WORD GetModuleId() const noexcept;
  /// 9 for module id 0xFF, else the module id.
  WORD GetModuleXId() const noexcept;
  /// The module id byte: nonzero for every module but module 0.
  int IsConnectCntl() const noexcept;
  WORD GetCmdId() const noexcept;
  /// 1 when the command group is 7 (event), whatever the flags.
  int IsEventPacket() const noexcept;
  /// The whole control word, offset bits included.
  WORD GetCntl() const noexcept;
  /// Control word & 0x0FFF, and control word >> 12.
  WORD GetMaskedCntlId() const noexcept;
  WORD GetCntlOfst() const noexcept;
  WORD GetParamType() const noexcept;
  WORD GetVersion() const noexcept;
  DWORD GetParamNum() const noexcept;
  DWORD GetThreadAddr() const noexcept;
  /// The thread address as a pointer to the requester's reply record; never dereferenced here.
  CRplySync* GetRplySync() const noexcept;

  /// The byte setters store the low byte of their argument.
  void SetModuleId(WORD moduleId) noexcept;
  void SetCmdId(WORD cmdId) noexcept;
  /// Stores the whole control word, offset bits included.
  void SetCntlId(WORD cntl) noexcept;
  void SetParamType(WORD type) noexcept;
  void SetVersion(WORD version) noexcept;
  void SetParamNum(DWORD number) noexcept;
  void SetThreadAddr(DWORD address) noexcept;
  void SetInvalidThreadAddr() noexcept;

  /// Start of the data (placed by the communication library); null before Init.
  void* GetData() const noexcept;
  /// Item index of an array of the item's type at GetData(); not bounds-checked.
  BYTE GetDataB(WORD index) const noexcept;
  WORD GetDataW(WORD index) const noexcept;
  DWORD GetDataDW(WORD index) const noexcept;
  float GetDataReal(WORD index) const noexcept;
  double GetDataDReal(WORD index) const noexcept;
  void SetDataB(WORD index, BYTE value) noexcept;
  void SetDataW(WORD index, WORD value) noexcept;
  void SetDataDW(WORD index, DWORD value) noexcept;
  void SetDataReal(WORD index, float value) noexcept;
  void SetDataDReal(WORD index, double value) noexcept;
};

#endif
