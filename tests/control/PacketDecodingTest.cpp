#include <zodavudaz/control/PacketDecoding.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
/// A module packet of 4 data bytes, query 0x40C for member 9, parameter number 3.
const std::vector<BYTE> ModulePacket = {0x14, 0, 0, 0, 0x24, 0,    0,    0,    1,    0,    0,    0,
                                        1,    0, 0, 0, 0x02, 0x0A, 0x0C, 0x94, 0x10, 0x01, 0,    0,
                                        3,    0, 0, 0, 0,    0,    0,    0,    0xA1, 0xA2, 0xA3, 0xA4};

const char ModuleText[] = "size            20 (packet 36 bytes)\n"
                          "all bytes       36 (transfer data 20)\n"
                          "packet          1 of 1\n"
                          "module id       2 (module 2)\n"
                          "command id      0x0A: group 10 (query), request\n"
                          "control         0x940C: id 0x40C, offset 9\n"
                          "param type      0x10\n"
                          "version         1\n"
                          "param num       3\n"
                          "thread addr     0x00000000\n"
                          "handlers        ReqWaveData\n"
                          "data            4 bytes A1 A2 A3 A4\n";

struct DecodeRow {
  const char* Name;
  std::vector<BYTE> Packet;
  DWORD Length;
  PacketKind Kind;
  int Result;
  std::string Text;
};

TEST(PacketDecodingTest, PacketsDecodeFieldByFieldAsFarAsTheirBytesGo) {
  std::vector<BYTE> station(28, 0);
  station[4] = 0x78;
  station.insert(station.end(), ModulePacket.begin(), ModulePacket.end());
  // Built before the table: inside it, GCC 12 takes this string copy for reads past its end.
  std::string cutShort = ModuleText;
  cutShort.replace(cutShort.find("4 bytes A1 A2 A3 A4\n"), 20,
                   "4 bytes A1 A2\nwarning: the packet claims 4 data bytes, 2 were given\n");
  const DecodeRow rows[] = {
      {"module packet", ModulePacket, 36, PacketKind::Module, 1, ModuleText},
      {"data cut short", ModulePacket, 34, PacketKind::Module, 1, cutShort},
      {"station packet", station, 64, PacketKind::Station, 1,
       "station packet\nrx addr         0x00000078\ntx addr         0x00000000\n"
       "body size       0 (station packet 20 bytes)\nmodule packet\n  size            20 (packet 36 bytes)\n"},
      {"shorter than its header", ModulePacket, 31, PacketKind::Module, 0, ""},
  };
  for (const DecodeRow& row : rows) {
    SCOPED_TRACE(row.Name);
    CString text("marker");
    EXPECT_EQ(DecodePacket(row.Packet.data(), row.Length, row.Kind, text), row.Result);
    const std::string decoded(text, static_cast<std::size_t>(text.GetLength()));
    // A station packet's text is checked up to its module packet's first line.
    EXPECT_EQ(row.Kind == PacketKind::Station ? decoded.substr(0, row.Text.size()) : decoded, row.Text);
  }
  CString text("marker");
  EXPECT_EQ(DecodePacket(nullptr, 36, PacketKind::Module, text), 0);
  EXPECT_TRUE(text.IsEmpty());
}
} // namespace
