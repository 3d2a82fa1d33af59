// Writes to the 16-byte data header that module and semi-module packets share, with the bytes each
// must leave, for the tests of both accessor classes.
#ifndef ZODAVUDAZ_TESTS_PACKETS_DATAHEADERFIELDTABLE_H
#define ZODAVUDAZ_TESTS_PACKETS_DATAHEADERFIELDTABLE_H

#include <zodavudaz/platform/BaseTypes.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

enum class HeaderField { ModuleId, CmdId, Cntl, ParamType, Version, ParamNum, ThreadAddr, InvalidThreadAddr };

struct DataHeaderWriteRow {
  const char* Name;
  HeaderField Field;
  DWORD Value;
  /// Offset in the data header and the bytes expected there; every other byte keeps its marker.
  std::size_t Offset;
  std::string Bytes;
  /// What the getter answers afterwards.
  DWORD ReadBack;
};

inline const DataHeaderWriteRow DataHeaderWriteRows[] = {
    {"ModuleIdKeepsLowByte", HeaderField::ModuleId, 0x1FF, 0, "\xFF", 0xFF},
    {"CmdIdReplyEvent", HeaderField::CmdId, 0x87, 1, "\x87", 0x87},
    {"CmdIdKeepsLowByte", HeaderField::CmdId, 0x3AB, 1, "\xAB", 0xAB},
    {"CntlStoresOffsetBits", HeaderField::Cntl, 0x940C, 2, "\x0C\x94", 0x940C},
    {"ParamTypeDouble", HeaderField::ParamType, 0x132, 4, "\x32", 0x32},
    {"VersionKeepsLowByte", HeaderField::Version, 0x2FF, 5, "\xFF", 0xFF},
    {"ParamNumLittleEndian", HeaderField::ParamNum, 0x12345678, 8, "\x78\x56\x34\x12", 0x12345678},
    {"ThreadAddr", HeaderField::ThreadAddr, 0x80000001, 12, std::string("\x01\x00\x00\x80", 4), 0x80000001},
    {"InvalidThreadAddrIsZero", HeaderField::InvalidThreadAddr, 0, 12, std::string("\0\0\0\0", 4), 0},
};

/// Applies the row's write through accessor (module or semi-module packet view).
template <typename AccessorT>
void ApplyWrite(AccessorT& accessor, const DataHeaderWriteRow& row) {
  switch (row.Field) {
  case HeaderField::ModuleId: accessor.SetModuleId(static_cast<WORD>(row.Value)); break;
  case HeaderField::CmdId: accessor.SetCmdId(static_cast<WORD>(row.Value)); break;
  case HeaderField::Cntl: accessor.SetCntlId(static_cast<WORD>(row.Value)); break;
  case HeaderField::ParamType: accessor.SetParamType(static_cast<WORD>(row.Value)); break;
  case HeaderField::Version: accessor.SetVersion(static_cast<WORD>(row.Value)); break;
  case HeaderField::ParamNum: accessor.SetParamNum(row.Value); break;
  case HeaderField::ThreadAddr: accessor.SetThreadAddr(row.Value); break;
  case HeaderField::InvalidThreadAddr: accessor.SetInvalidThreadAddr(); break;
  }
}

/// What the getter of the row's field answers.
template <typename AccessorT>
DWORD ReadField(const AccessorT& accessor, HeaderField field) {
  switch (field) {
  case HeaderField::ModuleId: return accessor.GetModuleId();
  case HeaderField::CmdId: return accessor.GetCmdId();
  case HeaderField::Cntl: return accessor.GetCntl();
  case HeaderField::ParamType: return accessor.GetParamType();
  case HeaderField::Version: return accessor.GetVersion();
  case HeaderField::ParamNum: return accessor.GetParamNum();
  case HeaderField::ThreadAddr:
  case HeaderField::InvalidThreadAddr: return accessor.GetThreadAddr();
  }
  return 0;
}

/// Control words and their split into control id and offset.
struct CntlRow {
  WORD Cntl;
  WORD MaskedCntlId;
  WORD CntlOfst;
};
inline const CntlRow CntlRows[] = {
    {0x940C, 0x40C, 9}, {0x0000, 0, 0}, {0x0FFF, 0xFFF, 0}, {0xF000, 0, 15}, {0xFFFF, 0xFFF, 15}, {0x1001, 1, 1},
};

/// Command ids and whether they are events, whatever their flags.
struct EventRow {
  WORD CmdId;
  int IsEvent;
};
inline const EventRow EventRows[] = {{0x07, 1}, {0x87, 1}, {0x97, 1}, {0xF7, 1}, {0x08, 0}, {0x70, 0}, {0x00, 0}};

/// Module id bytes and how GetModuleXId reads them.
struct ModuleXIdRow {
  WORD ModuleId;
  WORD XId;
};
inline const ModuleXIdRow ModuleXIdRows[] = {{0xFF, 9}, {0x09, 9}, {0x00, 0}, {0xFE, 0xFE}, {0x12, 0x12}};

/// Sets every command id and module byte of the tables on packet and checks how they decode.
template <typename PacketT>
void ExpectCommandAndModuleBytesDecode(PacketT& packet) {
  for (const EventRow& row : EventRows) {
    packet.SetCmdId(row.CmdId);
    EXPECT_EQ(packet.IsEventPacket(), row.IsEvent) << row.CmdId;
  }
  for (const ModuleXIdRow& row : ModuleXIdRows) {
    packet.SetModuleId(row.ModuleId);
    EXPECT_EQ(packet.GetModuleId(), row.ModuleId);
    EXPECT_EQ(packet.GetModuleXId(), row.XId) << row.ModuleId;
  }
}

#endif
