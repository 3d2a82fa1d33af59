#include <zodavudaz/packets/CEndianModulePacket.h>

#include "tests/packets/DataHeaderFieldTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {
constexpr BYTE Marker = 0xCC;
// The packet starts at an odd address so that every access is unaligned.
constexpr std::size_t Misalign = 1;

class ModulePacketBuffer {
public:
  explicit ModulePacketBuffer(std::size_t dataBytes = 64) : Bytes(Misalign + 32 + dataBytes, Marker) {}
  _ModulePacket* Packet() { return reinterpret_cast<_ModulePacket*>(Bytes.data() + Misalign); }
  BYTE* At(std::size_t offset) { return Bytes.data() + Misalign + offset; }
  /// The buffer with expected written at offset over the marker.
  std::vector<BYTE> Expected(std::size_t offset, const std::string& expected) const {
    std::vector<BYTE> bytes(Bytes.size(), Marker);
    std::memcpy(bytes.data() + Misalign + offset, expected.data(), expected.size());
    return bytes;
  }
  std::vector<BYTE> Bytes;
};

void WriteHeader(CEndianModulePacket& packet, DWORD size, DWORD allBytes, DWORD current, DWORD all) {
  std::memcpy(packet.GetPacket(), &size, 4);
  std::memcpy(static_cast<BYTE*>(packet.GetPacket()) + 4, &allBytes, 4);
  packet.SetCurPacketNo(current);
  packet.SetAllPacket(all);
}

struct TransferWriteRow {
  const char* Name;
  void (*Write)(CEndianModulePacket&);
  std::size_t Offset;
  std::string Bytes;
};

const TransferWriteRow TransferWriteRows[] = {
    {"SetSizeZeroStoresHeaderLength", [](CEndianModulePacket& p) { p.SetSize(0); }, 0, std::string("\x10\0\0\0", 4)},
    {"SetSizeAddsHeader", [](CEndianModulePacket& p) { p.SetSize(100); }, 0, std::string("\x74\0\0\0", 4)},
    {"SetSizeExactFit", [](CEndianModulePacket& p) { p.SetSize(0xFFFFFFEF); }, 0, "\xFF\xFF\xFF\xFF"},
    {"SetSizeSaturates", [](CEndianModulePacket& p) { p.SetSize(0xFFFFFFF0); }, 0, "\xFF\xFF\xFF\xFF"},
    {"SetAllBytes", [](CEndianModulePacket& p) { p.SetAllBytes(3, 100); }, 4, std::string("\x94\0\0\0", 4)},
    {"SetAllBytesSaturates", [](CEndianModulePacket& p) { p.SetAllBytes(0x10000000, 1); }, 4, "\xFF\xFF\xFF\xFF"},
    {"SetCurPacketNo", [](CEndianModulePacket& p) { p.SetCurPacketNo(0x01020304); }, 8, "\x04\x03\x02\x01"},
    {"SetAllPacket", [](CEndianModulePacket& p) { p.SetAllPacket(0xFFFFFFFF); }, 12, "\xFF\xFF\xFF\xFF"},
};

struct DerivedRow {
  const char* Name;
  DWORD Size, AllBytes, CurPacketNo, AllPacket;
  DWORD PacketSize, DataSize, AllDataSize, AllDataSizeWithHeader;
  int IsFirst, IsLast;
};

const DerivedRow DerivedRows[] = {
    {"SinglePacket", 116, 116, 1, 1, 132, 100, 100, 132, 1, 1},
    {"FirstOfThree", 26, 78, 1, 3, 42, 10, 30, 62, 1, 0},
    {"LastOfThree", 26, 78, 3, 3, 42, 10, 30, 62, 0, 1},
    {"EmptyPacket", 16, 16, 1, 1, 32, 0, 0, 32, 1, 1},
    {"SizeBelowHeaderGivesNoData", 5, 0, 0, 0, 21, 0, 0, 32, 0, 1},
    {"AllBytesBelowPacketHeaders", 16, 20, 2, 2, 32, 0, 0, 32, 0, 1},
    {"PacketHeadersBeyond32Bits", 16, 0x10, 1, 0x10000001, 32, 0, 0, 32, 1, 0},
    {"LargestSizeSaturates", 0xFFFFFFFF, 0xFFFFFFFF, 1, 0, 0xFFFFFFFF, 0xFFFFFFEF, 0xFFFFFFFF, 0xFFFFFFFF, 1, 0},
};
} // namespace

TEST(CEndianModulePacketTest, TransferPrefixWritesTouchOnlyTheirField) {
  for (const TransferWriteRow& row : TransferWriteRows) {
    SCOPED_TRACE(row.Name);
    ModulePacketBuffer buffer;
    CEndianModulePacket packet(buffer.Packet());
    row.Write(packet);
    EXPECT_EQ(buffer.Bytes, buffer.Expected(row.Offset, row.Bytes));
  }
}

TEST(CEndianModulePacketTest, DataHeaderWritesTouchOnlyTheirField) {
  for (const DataHeaderWriteRow& row : DataHeaderWriteRows) {
    SCOPED_TRACE(row.Name);
    ModulePacketBuffer buffer;
    CEndianModulePacket packet(buffer.Packet());
    ApplyWrite(packet, row);
    EXPECT_EQ(buffer.Bytes, buffer.Expected(16 + row.Offset, row.Bytes));
    EXPECT_EQ(ReadField(packet, row.Field), row.ReadBack);
  }
}

TEST(CEndianModulePacketTest, DerivedSizesNeverWrap) {
  for (const DerivedRow& row : DerivedRows) {
    SCOPED_TRACE(row.Name);
    ModulePacketBuffer buffer;
    CEndianModulePacket packet(buffer.Packet());
    WriteHeader(packet, row.Size, row.AllBytes, row.CurPacketNo, row.AllPacket);
    EXPECT_EQ(packet.GetSize(), row.Size);
    EXPECT_EQ(packet.GetPacketSize(), row.PacketSize);
    EXPECT_EQ(packet.GetDataSize(), row.DataSize);
    EXPECT_EQ(packet.GetAllDataSize(), row.AllDataSize);
    EXPECT_EQ(packet.GetAllDataSizeWithHeader(), row.AllDataSizeWithHeader);
    EXPECT_EQ(packet.IsFirstPacket(), row.IsFirst);
    EXPECT_EQ(packet.IsPacketAll(), row.IsLast);
  }
}

TEST(CEndianModulePacketTest, CommandAndModuleBytesDecode) {
  ModulePacketBuffer buffer;
  CEndianModulePacket packet(buffer.Packet());
  ExpectCommandAndModuleBytesDecode(packet);
}

TEST(CEndianModulePacketTest, DataItemsStandLittleEndianAtTheirIndex) {
  ModulePacketBuffer buffer(32);
  CEndianModulePacket packet(buffer.Packet());
  ASSERT_EQ(packet.GetData(), buffer.At(32));
  packet.SetDataB(1, 0xAB);
  packet.SetDataW(1, 0x1234);
  packet.SetDataDW(1, 0x89ABCDEF);
  packet.SetDataDReal(2, 1.0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.At(32)), 24), std::string("\xCC\xAB\x34\x12\xEF\xCD\xAB\x89"
                                                                                 "\xCC\xCC\xCC\xCC\xCC\xCC\xCC\xCC"
                                                                                 "\x00\x00\x00\x00\x00\x00\xF0\x3F",
                                                                                 24));
  EXPECT_EQ(std::make_tuple(packet.GetDataW(1), packet.GetDataDW(1)), std::make_tuple(0x1234, 0x89ABCDEFu));
}

TEST(CEndianModulePacketTest, ExtendedItemsIndexFromTheExtendedArea) {
  ModulePacketBuffer buffer(64);
  CEndianModulePacket packet(buffer.Packet());
  BYTE* extended = static_cast<BYTE*>(packet.GetDataEx());
  ASSERT_NE(extended, nullptr);
  packet.SetDataExB(3, 0x5A);
  packet.SetDataExW(2, 0xBEEF);
  packet.SetDataExDW(2, 0x01020304);
  packet.SetDataExDReal(2, -2.5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(extended) + 3, 21),
            std::string("\x5A\xEF\xBE\xCC\xCC\x04\x03\x02\x01\xCC\xCC\xCC\xCC"
                        "\x00\x00\x00\x00\x00\x00\x04\xC0",
                        21));
  EXPECT_EQ(
      std::make_tuple(packet.GetDataExB(3), packet.GetDataExW(2), packet.GetDataExDW(2), packet.GetDataExDReal(2)),
      std::make_tuple(0x5A, 0xBEEF, 0x01020304u, -2.5));
}

TEST(CEndianModulePacketTest, UnboundViewReadsZeroAndWritesNothing) {
  CEndianModulePacket packet;
  EXPECT_EQ(
      (std::vector<const void*>{packet.GetPacket(), packet.GetData(), packet.GetDataEx(), packet.GetDataHeader()}),
      std::vector<const void*>(4, nullptr));
  packet.SetSize(10);
  packet.SetCntlId(0x940C);
  packet.SetDataDW(3, 7);
  EXPECT_EQ(std::make_tuple(packet.GetSize(), packet.GetCntl(), packet.GetDataDW(3), packet.GetDataSize()),
            std::make_tuple(0u, 0, 0u, 0u));
}
