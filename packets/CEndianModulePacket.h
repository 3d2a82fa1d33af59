// The module packet layout and its accessor class.
#ifndef PACKETS_CENDIANMODULEPACKET_H
#define PACKETS_CENDIANMODULEPACKET_H

#include <zodavudaz/packets/PacketView.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

class CRplySync;

/// A module packet's 32-byte header: the 16-byte transfer prefix, then the 16-byte data header.
/// The data follows the header. Read and written only through CEndianModulePacket.
struct _ModulePacket {
  /// Bytes from offset 16 to the end: data header plus data.
  DWORD Size;
  /// 16 per packet of the transfer plus the transfer's data length.
  DWORD AllBytes;
  /// Number of this packet in its transfer, from 1.
  DWORD CurPacketNo;
  DWORD AllPacket;
  BYTE ModuleId;
  /// Command group in the low 4 bits, flags above.
  BYTE CmdId;
  /// Control id in bits 0 to 11, control offset in bits 12 to 15.
  WORD Cntl;
  BYTE ParamType;
  BYTE Version;
  BYTE Reserved[2];
  DWORD ParamNum;
  /// Address of the requester's CRplySync or thread; 0 when invalid.
  DWORD ThreadAddr;
};
static_assert(sizeof(_ModulePacket) == 32);
static_assert(offsetof(_ModulePacket, Size) == 0);
static_assert(offsetof(_ModulePacket, AllBytes) == 4);
static_assert(offsetof(_ModulePacket, CurPacketNo) == 8);
static_assert(offsetof(_ModulePacket, AllPacket) == 12);
static_assert(offsetof(_ModulePacket, ModuleId) == 16);
static_assert(offsetof(_ModulePacket, CmdId) == 17);
static_assert(offsetof(_ModulePacket, Cntl) == 18);
static_assert(offsetof(_ModulePacket, ParamType) == 20);
static_assert(offsetof(_ModulePacket, Version) == 21);
static_assert(offsetof(_ModulePacket, ParamNum) == 24);
static_assert(offsetof(_ModulePacket, ThreadAddr) == 28);

/// A view of a module packet that lives elsewhere; owns nothing, copies share the packet. The
/// packet may sit at any address. Before Init (or on a null packet) every field reads as 0 and
/// writes do nothing. Sizes never wrap: a difference that would go below 0 is 0, a sum above 32
/// bits is 0xFFFFFFFF.
class ZODAVUDAZ_EXPORT CEndianModulePacket : private PacketView<_ModulePacket> {
public:
  CEndianModulePacket() noexcept = default;
  CEndianModulePacket(_ModulePacket* packet) noexcept;
  /// Binds the view to packet.
  void Init(_ModulePacket* packet) noexcept;
  CEndianModulePacket(const CEndianModulePacket&) noexcept = default;
  CEndianModulePacket& operator=(const CEndianModulePacket&) noexcept = default;
  /// The packet viewed, or null before Init.
  void* GetPacket() const noexcept;

  /// 32 and 16: the whole header and its data-header half.
  WORD GetPacketHeaderSize() const noexcept;
  WORD GetDataHeaderSize() const noexcept;
  /// The data header at packet + 16 (the semi-module packet inside); null before Init.
  void* GetDataHeader() const noexcept;

  // The header fields as they stand; byte fields widened to 16 bits.
  DWORD GetSize() const noexcept;
  DWORD GetAllBytes() const noexcept;
  DWORD GetCurPacketNo() const noexcept;
  DWORD GetAllPacket() const noexcept;
  DWORD GetParamNum() const noexcept;
  DWORD GetThreadAddr() const noexcept;
  /// The thread address as a pointer to the requester's reply record; never dereferenced here.
  CRplySync* GetRplySync() const noexcept;
  WORD GetModuleId() const noexcept;
  WORD GetCmdId() const noexcept;
  WORD GetParamType() const noexcept;
  WORD GetVersion() const noexcept;
  /// The whole control word, offset bits included.
  WORD GetCntl() const noexcept;

  /// Stores dataLength + 16.
  void SetSize(DWORD dataLength) noexcept;
  /// Stores packets * 16 + dataBytes.
  void SetAllBytes(DWORD packets, DWORD dataBytes) noexcept;
  // The other header fields, stored as given.
  void SetCurPacketNo(DWORD number) noexcept;
  void SetAllPacket(DWORD packets) noexcept;
  void SetParamNum(DWORD number) noexcept;
  void SetThreadAddr(DWORD address) noexcept;
  /// Stores 0: no requester to answer.
  void SetInvalidThreadAddr() noexcept;
  /// Stores the whole control word, offset bits included.
  void SetCntlId(WORD cntl) noexcept;
  /// The byte setters store the low byte of their argument.
  void SetModuleId(WORD moduleId) noexcept;
  void SetCmdId(WORD cmdId) noexcept;
  void SetParamType(WORD type) noexcept;
  void SetVersion(WORD version) noexcept;

  /// size + 16: the whole packet.
  DWORD GetPacketSize() const noexcept;
  /// size - 16: the data alone.
  DWORD GetDataSize() const noexcept;
  /// all bytes - all packets * 16: the data of the whole transfer.
  DWORD GetAllDataSize() const noexcept;
  /// One 32-byte header plus the data of the whole transfer.
  DWORD GetAllDataSizeWithHeader() const noexcept;
  /// 9 for module id 0xFF, else the module id.
  WORD GetModuleXId() const noexcept;
  /// The control id: control word & 0x0FFF.
  WORD GetMaskedCntlId() const noexcept;
  /// The control offset: control word >> 12.
  WORD GetCntlOfst() const noexcept;
  /// 1 for the first packet of its transfer (number 1).
  int IsFirstPacket() const noexcept;
  /// 1 for the last packet of its transfer.
  int IsPacketAll() const noexcept;
  /// 1 when the command group is 7 (event), whatever the flags.
  int IsEventPacket() const noexcept;

  /// Start of the data area and of the extended data area; both are placed by the communication
  /// library. Null before Init.
  void* GetData() const noexcept;
  void* GetDataEx() const noexcept;

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

  /// The same items at GetDataEx(); not bounds-checked.
  BYTE GetDataExB(WORD index) const noexcept;
  WORD GetDataExW(WORD index) const noexcept;
  DWORD GetDataExDW(WORD index) const noexcept;
  float GetDataExReal(WORD index) const noexcept;
  double GetDataExDReal(WORD index) const noexcept;
  void SetDataExB(WORD index, BYTE value) noexcept;
  void SetDataExW(WORD index, WORD value) noexcept;
  void SetDataExDW(WORD index, DWORD value) noexcept;
  void SetDataExReal(WORD index, float value) noexcept;
  void SetDataExDReal(WORD index, double value) noexcept;
};

#endif
