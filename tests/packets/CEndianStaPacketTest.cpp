#include <zodavudaz/packets/CEndianStaPacket.h>

#include "tests/packets/MarkedBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CEndianStaPacketTest, BodySizeFollowsTheModulePacketWithoutWrapping) {
  const struct {
    const char* Name;
    DWORD ModuleSize;
    WORD ModulePacketSize;
    /// The body size field after SetBodySize; Marker bytes when it was left alone.
    std::string BodySize;
    WORD Size;
  } rows[] = {
      {"HundredDataBytes", 116, 116, std::string("\x8C\x00", 2), 160},
      {"EmptyModulePacket", 16, 16, std::string("\x28\x00", 2), 60},
      {"LargestThatFits", 65511, 65511, "\xFF\xFF", 0xFFFF},
      {"OneMoreIsLeftAlone", 65512, 65512, "\xCC\xCC", 0xCCE0},
      {"SizeBeyond16BitsIsLeftAlone", 0x10010, 0xFFFF, "\xCC\xCC", 0xCCE0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    MarkedBuffer<_StaPackect> buffer(60 + 16);
    std::memcpy(reinterpret_cast<BYTE*>(buffer.Packet()) + 28, &row.ModuleSize, 4);
    CEndianStaPacket packet(buffer.Packet());
    EXPECT_EQ(packet.GetModulePacketSize(), row.ModulePacketSize);
    packet.SetBodySize();
    EXPECT_EQ(buffer.At(18, 2), row.BodySize);
    EXPECT_EQ(packet.GetSize(), row.Size);
    EXPECT_EQ(buffer.At(20, 8), std::string(8, '\xCC'));
  }
}
