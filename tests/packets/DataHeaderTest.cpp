#include <zodavudaz/packets/DataHeader.h>

#include "tests/packets/MarkedBuffer.h"
#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CEndianSemiModulePacket.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <type_traits>

namespace {
enum class HeaderField { ModuleId, CmdId, Cntl, ParamType, Version, ParamNum, ThreadAddr, InvalidThreadAddr };

struct HeaderWriteRow {
  const char* Name;
  HeaderField Field;
  DWORD Value;
  /// Offset in the data header and the bytes expected there; every other byte keeps its marker.
  std::size_t Offset;
  std::string Bytes;
  /// What the getter answers afterwards.
  DWORD ReadBack;
};

const HeaderWriteRow HeaderWriteRows[] = {
    {"ModuleIdKeepsLowByte", HeaderField::ModuleId, 0x1FF, 0, "\xFF", 0xFF},
    {"CmdIdKeepsLowByte", HeaderField::CmdId, 0x3AB, 1, "\xAB", 0xAB},
    {"CntlStoresOffsetBits", HeaderField::Cntl, 0x940C, 2, "\x0C\x94", 0x940C},
    {"ParamTypeDouble", HeaderField::ParamType, 0x132, 4, "\x32", 0x32},
    {"VersionKeepsLowByte", HeaderField::Version, 0x2FF, 5, "\xFF", 0xFF},
    {"ParamNumLittleEndian", HeaderField::ParamNum, 0x12345678, 8, "\x78\x56\x34\x12", 0x12345678},
    {"ThreadAddr", HeaderField::ThreadAddr, 0x80000001, 12, std::string("\x01\x00\x00\x80", 4), 0x80000001},
    {"InvalidThreadAddrIsZero", HeaderField::InvalidThreadAddr, 0, 12, std::string("\0\0\0\0", 4), 0},
};

/// Applies the row's write through packet and answers what the field's getter then reads.
template <typename AccessorT>
DWORD WriteAndReadBack(AccessorT& packet, const HeaderWriteRow& row) {
  switch (row.Field) {
  case HeaderField::ModuleId: packet.SetModuleId(static_cast<WORD>(row.Value)); return packet.GetModuleId();
  case HeaderField::CmdId: packet.SetCmdId(static_cast<WORD>(row.Value)); return packet.GetCmdId();
  case HeaderField::Cntl: packet.SetCntlId(static_cast<WORD>(row.Value)); return packet.GetCntl();
  case HeaderField::ParamType: packet.SetParamType(static_cast<WORD>(row.Value)); return packet.GetParamType();
  case HeaderField::Version: packet.SetVersion(static_cast<WORD>(row.Value)); return packet.GetVersion();
  case HeaderField::ParamNum: packet.SetParamNum(row.Value); return packet.GetParamNum();
  case HeaderField::ThreadAddr: packet.SetThreadAddr(row.Value); return packet.GetThreadAddr();
  case HeaderField::InvalidThreadAddr: packet.SetInvalidThreadAddr(); return packet.GetThreadAddr();
  }
  return 0;
}

/// The 16-byte data header follows a module packet's transfer prefix and starts a semi-module packet.
template <typename AccessorT>
class DataHeaderTest : public testing::Test {
protected:
  static constexpr bool IsModule = std::is_same_v<AccessorT, CEndianModulePacket>;
  static constexpr std::size_t HeaderAt = IsModule ? 16 : 0;
  MarkedBuffer<std::conditional_t<IsModule, _ModulePacket, _SemiModulePacket>> Buffer{HeaderAt + 16 + 24};
  AccessorT Packet{Buffer.Packet()};
};

using Accessors = testing::Types<CEndianModulePacket, CEndianSemiModulePacket>;
TYPED_TEST_SUITE(DataHeaderTest, Accessors);

TYPED_TEST(DataHeaderTest, WritesTouchOnlyTheirField) {
  for (const HeaderWriteRow& row : HeaderWriteRows) {
    SCOPED_TRACE(row.Name);
    std::fill(this->Buffer.Bytes.begin(), this->Buffer.Bytes.end(), Marker);
    EXPECT_EQ(WriteAndReadBack(this->Packet, row), row.ReadBack);
    EXPECT_EQ(this->Buffer.Bytes, this->Buffer.Expected(this->HeaderAt + row.Offset, row.Bytes));
  }
}

TYPED_TEST(DataHeaderTest, DataItemsStandLittleEndianAtTheirIndexAfterTheHeader) {
  TypeParam& packet = this->Packet;
  packet.SetDataB(1, 0xAB);
  packet.SetDataW(1, 0x1234);
  packet.SetDataDW(1, 0x89ABCDEF);
  packet.SetDataReal(2, -1.5f);
  packet.SetDataDReal(2, 1.0);
  EXPECT_EQ(this->Buffer.Bytes,
            this->Buffer.Expected(this->HeaderAt + 16, std::string("\xCC\xAB\x34\x12\xEF\xCD\xAB\x89"
                                                                   "\x00\x00\xC0\xBF\xCC\xCC\xCC\xCC"
                                                                   "\x00\x00\x00\x00\x00\x00\xF0\x3F",
                                                                   24)));
  EXPECT_EQ(std::make_tuple(packet.GetDataB(0), packet.GetDataB(1), packet.GetDataW(1), packet.GetDataDW(1),
                            packet.GetDataReal(2), packet.GetDataDReal(2)),
            std::make_tuple(Marker, 0xAB, 0x1234, 0x89ABCDEFu, -1.5f, 1.0));
}

TYPED_TEST(DataHeaderTest, UnboundViewReadsZeroAndWritesNothing) {
  TypeParam packet;
  packet.SetCntlId(0x940C);
  packet.SetDataDW(3, 7);
  packet.SetDataDReal(0, 1.0);
  EXPECT_EQ(std::make_tuple(packet.GetCntl(), packet.GetData(), packet.GetDataDW(3), packet.GetDataDReal(0),
                            packet.GetDataSize(), packet.GetRplySync()),
            std::make_tuple(0, nullptr, 0u, 0.0, 0u, nullptr));
}
} // namespace
