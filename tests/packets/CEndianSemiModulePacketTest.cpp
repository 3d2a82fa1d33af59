#include <zodavudaz/packets/CEndianSemiModulePacket.h>

#include "tests/packets/DataHeaderFieldTable.h"
#include <zodavudaz/packets/CEndianModulePacket.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

namespace {
constexpr BYTE Marker = 0xCC;
constexpr std::size_t Misalign = 1;

struct SemiPacketBuffer {
  SemiPacketBuffer() : Bytes(Misalign + 16 + 32, Marker) {}
  _SemiModulePacket* Packet() { return reinterpret_cast<_SemiModulePacket*>(Bytes.data() + Misalign); }
  std::vector<BYTE> Expected(std::size_t offset, const std::string& expected) const {
    std::vector<BYTE> bytes(Bytes.size(), Marker);
    std::copy(expected.begin(), expected.end(), bytes.begin() + static_cast<std::ptrdiff_t>(Misalign + offset));
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

TEST(CEndianSemiModulePacketTest, UnboundViewReadsZeroAndWritesNothing) {
  CEndianSemiModulePacket packet;
  packet.SetCntlId(5);
  packet.SetDataDReal(0, 1.0);
  packet.SetDataB(0, 1);
  EXPECT_EQ(std::make_tuple(packet.GetCntl(), packet.GetData(), packet.GetDataDReal(0), packet.GetDataB(0),
                            packet.IsConnectCntl(), packet.GetRplySync()),
            std::make_tuple(0, nullptr, 0.0, 0, 0, nullptr));
}

TEST(CEndianSemiModulePacketTest, DataItemsRoundTripAtAnOddAddress) {
  SemiPacketBuffer buffer;
  CEndianSemiModulePacket packet(buffer.Packet());
  ASSERT_EQ(packet.GetData(), buffer.Bytes.data() + Misalign + 16);
  packet.SetDataB(1, 0xAB);
  packet.SetDataW(1, 0x1234);
  packet.SetDataDW(1, 0x89ABCDEF);
  packet.SetDataReal(2, -1.5f);
  packet.SetDataDReal(2, 1.0);
  EXPECT_EQ(buffer.Bytes, buffer.Expected(16, std::string("\xCC\xAB\x34\x12\xEF\xCD\xAB\x89"
                                                          "\x00\x00\xC0\xBF\xCC\xCC\xCC\xCC"
                                                          "\x00\x00\x00\x00\x00\x00\xF0\x3F",
                                                          24)));
  EXPECT_EQ(std::make_tuple(packet.GetDataB(0), packet.GetDataB(1), packet.GetDataW(1), packet.GetDataDW(1),
                            packet.GetDataReal(2), packet.GetDataDReal(2)),
            std::make_tuple(Marker, 0xAB, 0x1234, 0x89ABCDEFu, -1.5f, 1.0));
}

TEST(CEndianSemiModulePacketTest, ControlWordCommandAndModuleBytesDecode) {
  SemiPacketBuffer buffer;
  CEndianSemiModulePacket packet(buffer.Packet());
  for (const CntlRow& row : CntlRows) {
    packet.SetCntlId(row.Cntl);
    EXPECT_EQ(packet.GetMaskedCntlId(), row.MaskedCntlId) << row.Cntl;
    EXPECT_EQ(packet.GetCntlOfst(), row.CntlOfst) << row.Cntl;
  }
  ExpectCommandAndModuleBytesDecode(packet);
  for (const ModuleXIdRow& row : ModuleXIdRows) {
    packet.SetModuleId(row.ModuleId);
    EXPECT_EQ(packet.IsConnectCntl() != 0, row.ModuleId != 0) << row.ModuleId;
  }
}
