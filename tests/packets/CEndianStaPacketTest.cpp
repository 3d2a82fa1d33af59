#include <zodavudaz/packets/CEndianStaPacket.h>

#include <gtest/gtest.h>

#include <tuple>

#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr BYTE Marker = 0xCC;
constexpr std::size_t Misalign = 3;

struct StaPacketBuffer {
  explicit StaPacketBuffer(std::size_t dataBytes = 16) : Bytes(Misalign + 60 + dataBytes, Marker) {}
  _StaPackect* Packet() { return reinterpret_cast<_StaPackect*>(Bytes.data() + Misalign); }
  void SetModuleSize(DWORD size) { std::memcpy(Bytes.data() + Misalign + 28, &size, 4); }
  std::string At(std::size_t offset, std::size_t length) const {
    return std::string(reinterpret_cast<const char*>(Bytes.data() + Misalign + offset), length);
  }
  std::vector<BYTE> Bytes;
};

struct BodySizeRow {
  const char* Name;
  DWORD ModuleSize;
  WORD ModulePacketSize;
  /// The body size field after SetBodySize; Marker bytes when it was left alone.
  std::string BodySize;
  WORD Size;
};

const BodySizeRow BodySizeRows[] = {
    {"HundredDataBytes", 116, 116, std::string("\x8C\x00", 2), 160},
    {"EmptyModulePacket", 16, 16, std::string("\x28\x00", 2), 60},
    {"LargestThatFits", 65511, 65511, "\xFF\xFF", 0xFFFF},
    {"OneMoreIsLeftAlone", 65512, 65512, "\xCC\xCC", 0xCCE0},
    {"SizeBeyond16BitsIsLeftAlone", 0x10010, 0xFFFF, "\xCC\xCC", 0xCCE0},
};
} // namespace

TEST(CEndianStaPacketTest, BodySizeFollowsTheModulePacketWithoutWrapping) {
  for (const BodySizeRow& row : BodySizeRows) {
    SCOPED_TRACE(row.Name);
    StaPacketBuffer buffer;
    buffer.SetModuleSize(row.ModuleSize);
    CEndianStaPacket packet(buffer.Packet());
    EXPECT_EQ(packet.GetModulePacketSize(), row.ModulePacketSize);
    packet.SetBodySize();
    EXPECT_EQ(buffer.At(18, 2), row.BodySize);
    EXPECT_EQ(packet.GetSize(), row.Size);
    EXPECT_EQ(buffer.At(20, 8), std::string(8, '\xCC'));
  }
}

TEST(CEndianStaPacketTest, ModulePacketWrapsAndUnwraps) {
  std::vector<BYTE> module(32 + 6, 0);
  CEndianModulePacket request(reinterpret_cast<_ModulePacket*>(module.data()));
  request.SetSize(6);
  request.SetAllBytes(1, 6);
  request.SetCurPacketNo(1);
  request.SetAllPacket(1);
  request.SetModuleId(2);
  request.SetCmdId(0x0A);
  request.SetCntlId(0x340C);
  request.SetDataW(2, 0x7788);

  StaPacketBuffer buffer(module.size());
  CEndianStaPacket packet(buffer.Packet());
  std::memcpy(packet.GetModulePacket(), module.data(), module.size());
  packet.SetBodySize();
  EXPECT_EQ(packet.GetSize(), 20 + 8 + module.size());

  CEndianModulePacket carried(packet.GetModulePacket());
  EXPECT_EQ(reinterpret_cast<BYTE*>(packet.GetModulePacket()), buffer.Bytes.data() + Misalign + 28);
  EXPECT_EQ(std::make_tuple(carried.GetModuleId(), carried.GetCmdId(), carried.GetMaskedCntlId(), carried.GetCntlOfst(),
                            carried.GetDataW(2), std::size_t{carried.GetPacketSize()}),
            std::make_tuple(2, 0x0A, 0x40C, 3, 0x7788, module.size()));
}

TEST(CEndianStaPacketTest, AddressesStandAtTheirOffsetsAndAgree) {
  StaPacketBuffer buffer;
  CEndianStaPacket packet(buffer.Packet());
  packet.SetRXAddr(-1);
  packet.SetTXAddr(0x0A000102);
  EXPECT_EQ(buffer.At(0, 20), std::string("\xCC\xCC\xCC\xCC\xFF\xFF\xFF\xFF\x02\x01\x00\x0A"
                                          "\xCC\xCC\xCC\xCC\xCC\xCC\xCC\xCC",
                                          20));
  EXPECT_EQ(std::make_tuple(packet.GetRXAddr(), packet.GetStationRXAddr()), std::make_tuple(-1, -1));
  EXPECT_EQ(std::make_tuple(packet.GetTXAddr(), packet.GetStationTXAddr()), std::make_tuple(0x0A000102, 0x0A000102));
}
