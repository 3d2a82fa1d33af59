#include <zodavudaz/packets/CEndianModulePacket.h>

#include "tests/packets/MarkedBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

namespace {
using ModulePacketBuffer = MarkedBuffer<_ModulePacket>;

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
    ModulePacketBuffer buffer(64);
    CEndianModulePacket packet(buffer.Packet());
    row.Write(packet);
    EXPECT_EQ(buffer.Bytes, buffer.Expected(row.Offset, row.Bytes));
  }
}

TEST(CEndianModulePacketTest, DerivedSizesNeverWrap) {
  for (const DerivedRow& row : DerivedRows) {
    SCOPED_TRACE(row.Name);
    ModulePacketBuffer buffer(32);
    std::memcpy(buffer.Packet(), &row.Size, 4);
    std::memcpy(reinterpret_cast<BYTE*>(buffer.Packet()) + 4, &row.AllBytes, 4);
    CEndianModulePacket packet(buffer.Packet());
    packet.SetCurPacketNo(row.CurPacketNo);
    packet.SetAllPacket(row.AllPacket);
    EXPECT_EQ(std::make_tuple(packet.GetSize(), packet.GetPacketSize(), packet.GetDataSize(), packet.GetAllDataSize(),
                              packet.GetAllDataSizeWithHeader(), packet.IsFirstPacket(), packet.IsPacketAll()),
              std::make_tuple(row.Size, row.PacketSize, row.DataSize, row.AllDataSize, row.AllDataSizeWithHeader,
                              row.IsFirst, row.IsLast));
  }
}

TEST(CEndianModulePacketTest, ExtendedItemsIndexFromTheExtendedArea) {
  ModulePacketBuffer buffer(96);
  CEndianModulePacket packet(buffer.Packet());
  const std::size_t extendedAt = static_cast<BYTE*>(packet.GetDataEx()) - reinterpret_cast<BYTE*>(buffer.Packet());
  packet.SetDataExB(3, 0x5A);
  packet.SetDataExW(2, 0xBEEF);
  packet.SetDataExDW(2, 0x01020304);
  packet.SetDataExDReal(2, -2.5);
  EXPECT_EQ(buffer.Bytes,
            buffer.Expected(extendedAt + 3, std::string("\x5A\xEF\xBE\xCC\xCC\x04\x03\x02\x01\xCC\xCC\xCC\xCC"
                                                        "\x00\x00\x00\x00\x00\x00\x04\xC0",
                                                        21)));
  EXPECT_EQ(
      std::make_tuple(packet.GetDataExB(3), packet.GetDataExW(2), packet.GetDataExDW(2), packet.GetDataExDReal(2)),
      std::make_tuple(0x5A, 0xBEEF, 0x01020304u, -2.5));
  EXPECT_EQ(CEndianModulePacket().GetDataEx(), nullptr);
}
