#include <zodavudaz/packets/CEndianSemiModulePacket.h>

#include <gtest/gtest.h>

#include <tuple>

TEST(CEndianSemiModulePacketTest, SizeIsDataPlusHeaderWithoutWrapping) {
  const struct {
    const char* Name;
    WORD ParamType;
    DWORD ParamNum;
    WORD DataSize;
    WORD Size;
  } rows[] = {
      {"ThreeWords", 0x10, 3, 6, 22},
      {"TwoDoubles", 0x32, 2, 16, 32},
      {"NoData", 0xFF, 0, 0, 16},
      {"LargestThatFits", 0x00, 0xFFEF, 0xFFEF, 0xFFFF},
      {"BeyondSixteenBitsSaturates", 0x20, 0x40000000, 0xFFFF, 0xFFFF},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    _SemiModulePacket header = {};
    CEndianSemiModulePacket packet(&header);
    packet.SetParamType(row.ParamType);
    packet.SetParamNum(row.ParamNum);
    EXPECT_EQ(std::make_tuple(packet.GetDataSize(), packet.GetSize()), std::make_tuple(row.DataSize, row.Size));
  }
}
