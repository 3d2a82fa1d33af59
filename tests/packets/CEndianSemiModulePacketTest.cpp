#include "packets/CEndianSemiModulePacket.h"

#include "packets/CEndianModulePacket.h"
#include "tests/packets/DataHeaderFieldTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr BYTE Marker = 0xCC;
constexpr std::size_t Misalign = 1;

struct SemiPacketBuffer {
  SemiPacketBuffer() : Bytes(Misalign + 16 + 32, Marker) {}
  _SemiModulePacket* Packet() { return reinterpret_cast<_SemiModulePacket*>(Bytes.data() + Misalign); }
  std::vector<BYTE> Expected(std::size_t offset, const std::string& expected) const {
    std::vector<BYTE> bytes(Bytes.size(), Marker);
    std::memcpy(bytes.data() + Misalign + offset, expected.data(), expected.size());
    return bytes;
  }
  std::vector<BYTE> Bytes;
};

struct DataSizeRow {
  const char* Name;
  WORD ParamType;
  DWORD ParamNum;
  WORD DataSize;
  WORD Size;
};

const DataSizeRow DataSizeRows[] = {
    {"ThreeWords", 0x10, 3, 6, 22},
    {"TwoDoubles", 0x32, 2, 16, 32},
    {"NoData", 0xFF, 0, 0, 16},
    {"LargestThatFits", 0x00, 0xFFEF, 0xFFEF, 0xFFFF},
    {"BeyondSixteenBitsSaturates", 0x20, 0x40000000, 0xFFFF, 0xFFFF},
};
} // namespace

TEST(CEndianSemiModulePacketTest, HeaderWritesTouchOnlyTheirField) {
  for (const DataHeaderWriteRow& row : DataHeaderWriteRows) {
    SCOPED_TRACE(row.Name);
    SemiPacketBuffer buffer;
    CEndianSemiModulePacket packet(buffer.Packet());
    ApplyWrite(packet, row);
    EXPECT_EQ(buffer.Bytes, buffer.Expected(row.Offset, row.Bytes));
    EXPECT_EQ(ReadField(packet, row.Field), row.ReadBack);
  }
}

TEST(CEndianSemiModulePacketTest, SizeIsDataPlusHeaderWithoutWrapping) {
  for (const DataSizeRow& row : DataSizeRows) {
    SCOPED_TRACE(row.Name);
    SemiPacketBuffer buffer;
    CEndianSemiModulePacket packet(buffer.Packet());
    packet.SetParamType(row.ParamType);
    packet.SetParamNum(row.ParamNum);
    EXPECT_EQ(packet.GetDataSize(), row.DataSize);
    EXPECT_EQ(packet.GetSize(), row.Size);
    EXPECT_EQ(packet.GetPacketHeaderSize(), 16);
  }
}

TEST(CEndianSemiModulePacketTest, ViewsTheDataHeaderOfAModulePacket) {
  std::vector<BYTE> bytes(32 + 8, 0);
  CEndianModulePacket module(reinterpret_cast<_ModulePacket*>(bytes.data()));
  module.SetCntlId(0x2123);
  module.SetDataDW(1, 0xCAFEF00D);
  CEndianSemiModulePacket semi(static_cast<_SemiModulePacket*>(module.GetDataHeader()));
  EXPECT_EQ(semi.GetCntl(), 0x2123);
  EXPECT_EQ(semi.GetData(), module.GetData());
  EXPECT_EQ(semi.GetDataDW(1), 0xCAFEF00Du);
  semi.SetDataReal(0, -1.5f);
  EXPECT_EQ(module.GetDataReal(0), -1.5f);
}

TEST(CEndianSemiModulePacketTest, UnboundViewReadsZeroAndWritesNothing) {
  CEndianSemiModulePacket packet;
  packet.SetCntlId(5);
  EXPECT_EQ(packet.GetCntl(), 0);
  EXPECT_EQ(packet.GetData(), nullptr);
}
