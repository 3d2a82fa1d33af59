// The module packet layout and its accessor class.
#ifndef ZODAVUDAZ_PACKETS_CENDIANMODULEPACKET_H
#define ZODAVUDAZ_PACKETS_CENDIANMODULEPACKET_H

#include <zodavudaz/packets/DataHeader.h>
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
/// bits is 0xFFFFFFFF. The accessors inline into callers; the library exports a copy of each.
class ZODAVUDAZ_EXPORT CEndianModulePacket : private PacketView<_ModulePacket> {
public:
  CEndianModulePacket() noexcept = default;
  ZODAVUDAZ_EXPORT CEndianModulePacket(_ModulePacket* packet) noexcept : PacketView(packet) {}
  /// Binds the view to packet.
  ZODAVUDAZ_EXPORT void Init(_ModulePacket* packet) noexcept { Packet = packet; }
  CEndianModulePacket(const CEndianModulePacket&) noexcept = default;
  CEndianModulePacket& operator=(const CEndianModulePacket&) noexcept = default;
  /// The packet viewed, or null before Init.
  ZODAVUDAZ_EXPORT void* GetPacket() const noexcept { return Packet; }

  /// 32 and 16: the whole header and its data-header half.
  ZODAVUDAZ_EXPORT WORD GetPacketHeaderSize() const noexcept { return HeaderSize; }
  ZODAVUDAZ_EXPORT WORD GetDataHeaderSize() const noexcept { return DataHeaderSize; }
  /// The data header at packet + 16 (the semi-module packet inside); null before Init.
  ZODAVUDAZ_EXPORT void* GetDataHeader() const noexcept { return BytesAt(offsetof(_ModulePacket, ModuleId)); }

  // The header fields as they stand; byte fields widened to 16 bits.
  ZODAVUDAZ_EXPORT DWORD GetSize() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, Size)); }
  ZODAVUDAZ_EXPORT DWORD GetAllBytes() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, AllBytes)); }
  ZODAVUDAZ_EXPORT DWORD GetCurPacketNo() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, CurPacketNo)); }
  ZODAVUDAZ_EXPORT DWORD GetAllPacket() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, AllPacket)); }
  ZODAVUDAZ_EXPORT DWORD GetParamNum() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, ParamNum)); }
  ZODAVUDAZ_EXPORT DWORD GetThreadAddr() const noexcept { return Read<DWORD>(offsetof(_ModulePacket, ThreadAddr)); }
  /// The thread address as a pointer to the requester's reply record; never dereferenced here.
  CRplySync* GetRplySync() const noexcept;
  ZODAVUDAZ_EXPORT WORD GetModuleId() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, ModuleId)); }
  ZODAVUDAZ_EXPORT WORD GetCmdId() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, CmdId)); }
  ZODAVUDAZ_EXPORT WORD GetParamType() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, ParamType)); }
  ZODAVUDAZ_EXPORT WORD GetVersion() const noexcept { return Read<BYTE>(offsetof(_ModulePacket, Version)); }
  /// The whole control word, offset bits included.
  ZODAVUDAZ_EXPORT WORD GetCntl() const noexcept { return Read<WORD>(offsetof(_ModulePacket, Cntl)); }

  /// Stores dataLength + 16.
  ZODAVUDAZ_EXPORT void SetSize(DWORD dataLength) noexcept {
    Write(offsetof(_ModulePacket, Size), SaturateToDword(dataLength + 0ull + DataHeaderSize));
  }
  /// Stores packets * 16 + dataBytes.
  ZODAVUDAZ_EXPORT void SetAllBytes(DWORD packets, DWORD dataBytes) noexcept {
    Write(offsetof(_ModulePacket, AllBytes), SaturateToDword(packets * 1ull * DataHeaderSize + dataBytes));
  }
  // The other header fields, stored as given.
  ZODAVUDAZ_EXPORT void SetCurPacketNo(DWORD number) noexcept { Write(offsetof(_ModulePacket, CurPacketNo), number); }
  ZODAVUDAZ_EXPORT void SetAllPacket(DWORD packets) noexcept { Write(offsetof(_ModulePacket, AllPacket), packets); }
  ZODAVUDAZ_EXPORT void SetParamNum(DWORD number) noexcept { Write(offsetof(_ModulePacket, ParamNum), number); }
  ZODAVUDAZ_EXPORT void SetThreadAddr(DWORD address) noexcept { Write(offsetof(_ModulePacket, ThreadAddr), address); }
  /// Stores 0: no requester to answer.
  ZODAVUDAZ_EXPORT void SetInvalidThreadAddr() noexcept { SetThreadAddr(0); }
  /// Stores the whole control word, offset bits included.
  ZODAVUDAZ_EXPORT void SetCntlId(WORD cntl) noexcept { Write(offsetof(_ModulePacket, Cntl), cntl); }
  /// The byte setters store the low byte of their argument.
  ZODAVUDAZ_EXPORT void SetModuleId(WORD moduleId) noexcept {
    Write(offsetof(_ModulePacket, ModuleId), static_cast<BYTE>(moduleId));
  }
  ZODAVUDAZ_EXPORT void SetCmdId(WORD cmdId) noexcept {
    Write(offsetof(_ModulePacket, CmdId), static_cast<BYTE>(cmdId));
  }
  ZODAVUDAZ_EXPORT void SetParamType(WORD type) noexcept {
    Write(offsetof(_ModulePacket, ParamType), static_cast<BYTE>(type));
  }
  ZODAVUDAZ_EXPORT void SetVersion(WORD version) noexcept {
    Write(offsetof(_ModulePacket, Version), static_cast<BYTE>(version));
  }

  /// size + 16: the whole packet.
  ZODAVUDAZ_EXPORT DWORD GetPacketSize() const noexcept { return SaturateToDword(GetSize() + 0ull + DataHeaderSize); }
  /// size - 16: the data alone.
  ZODAVUDAZ_EXPORT DWORD GetDataSize() const noexcept { return DifferenceOrZero(GetSize(), DataHeaderSize); }
  /// all bytes - all packets * 16: the data of the whole transfer.
  ZODAVUDAZ_EXPORT DWORD GetAllDataSize() const noexcept {
    return DifferenceOrZero(GetAllBytes(), GetAllPacket() * 1ull * DataHeaderSize);
  }
  /// One 32-byte header plus the data of the whole transfer.
  ZODAVUDAZ_EXPORT DWORD GetAllDataSizeWithHeader() const noexcept {
    return SaturateToDword(GetAllDataSize() + 0ull + HeaderSize);
  }
  /// 9 for module id 0xFF, else the module id.
  ZODAVUDAZ_EXPORT WORD GetModuleXId() const noexcept { return ModuleXIdOf(static_cast<BYTE>(GetModuleId())); }
  /// The control id: control word & 0x0FFF.
  ZODAVUDAZ_EXPORT WORD GetMaskedCntlId() const noexcept { return MaskedCntlIdOf(GetCntl()); }
  /// The control offset: control word >> 12.
  ZODAVUDAZ_EXPORT WORD GetCntlOfst() const noexcept { return CntlOfstOf(GetCntl()); }
  /// 1 for the first packet of its transfer (number 1).
  ZODAVUDAZ_EXPORT int IsFirstPacket() const noexcept { return GetCurPacketNo() == 1 ? 1 : 0; }
  /// 1 for the last packet of its transfer.
  ZODAVUDAZ_EXPORT int IsPacketAll() const noexcept { return GetCurPacketNo() == GetAllPacket() ? 1 : 0; }
  /// 1 when the command group is 7 (event), whatever the flags.
  ZODAVUDAZ_EXPORT int IsEventPacket() const noexcept { return IsEventCmdId(static_cast<BYTE>(GetCmdId())); }

  /// Start of the data area and of the extended data area; both are placed by the communication
  /// library. Null before Init.
  void* GetData() const noexcept;
  void* GetDataEx() const noexcept;

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

  /// The same items at GetDataEx(); not bounds-checked.
  ZODAVUDAZ_EXPORT BYTE GetDataExB(WORD index) const noexcept { return LoadItem<BYTE>(GetDataEx(), index); }
  ZODAVUDAZ_EXPORT WORD GetDataExW(WORD index) const noexcept { return LoadItem<WORD>(GetDataEx(), index); }
  ZODAVUDAZ_EXPORT DWORD GetDataExDW(WORD index) const noexcept { return LoadItem<DWORD>(GetDataEx(), index); }
  ZODAVUDAZ_EXPORT float GetDataExReal(WORD index) const noexcept { return LoadItem<float>(GetDataEx(), index); }
  ZODAVUDAZ_EXPORT double GetDataExDReal(WORD index) const noexcept { return LoadItem<double>(GetDataEx(), index); }
  ZODAVUDAZ_EXPORT void SetDataExB(WORD index, BYTE value) noexcept { StoreItem(GetDataEx(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataExW(WORD index, WORD value) noexcept { StoreItem(GetDataEx(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataExDW(WORD index, DWORD value) noexcept { StoreItem(GetDataEx(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataExReal(WORD index, float value) noexcept { StoreItem(GetDataEx(), index, value); }
  ZODAVUDAZ_EXPORT void SetDataExDReal(WORD index, double value) noexcept { StoreItem(GetDataEx(), index, value); }

private:
  /// The whole header and its data-header half.
  static constexpr WORD HeaderSize = sizeof(_ModulePacket);
  static constexpr WORD DataHeaderSize = sizeof(_ModulePacket) - offsetof(_ModulePacket, ModuleId);
};

#endif
