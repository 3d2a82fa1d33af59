// The packet interpreter through the C interface: C handlers called as CModuleCntl calls its own.
// The decoded text is python/tests/test_packets.py::test_decoding_shows_what_the_tool_shows_with_its_fields_by_name.
#include "tests/c/CInterfaceFixture.h"
#include "tests/support/RecordingModuleCntl.h"
#include <zodavudaz/packets/CEndianModulePacket.h>

#include <string>
#include <vector>

namespace {
std::vector<uint8_t> PacketOf(BYTE cmdId, WORD cntl, std::size_t dataBytes = 0) {
  std::vector<uint8_t> bytes(sizeof(_ModulePacket) + dataBytes);
  CEndianModulePacket packet(reinterpret_cast<_ModulePacket*>(bytes.data()));
  packet.SetSize(static_cast<DWORD>(dataBytes));
  packet.SetModuleId(2);
  packet.SetCmdId(cmdId);
  packet.SetCntlId(cntl);
  return bytes;
}

/// What the handlers saw.
struct HandlerLog {
  std::vector<int32_t> Positions;
  std::vector<uint32_t> Lengths;
  zdz_interpreter* Self = nullptr;
  std::vector<int32_t> NestedStatus;
};

int32_t Record(void* user, int32_t position, uint8_t* packet, uint32_t length) {
  HandlerLog& log = *static_cast<HandlerLog*>(user);
  log.Positions.push_back(position);
  log.Lengths.push_back(length);
  packet[sizeof(_ModulePacket)] = static_cast<uint8_t>(position);
  return 0;
}

/// Calls back into the interface from a handler: its own interpreter, and another call.
int32_t CallBack(void* user, int32_t position, uint8_t* packet, uint32_t length) {
  HandlerLog& log = *static_cast<HandlerLog*>(user);
  log.Positions.push_back(position);
  log.NestedStatus.push_back(zdz_interpret(log.Self, packet, length));
  log.NestedStatus.push_back(zdz_interpreter_release(log.Self));
  const char* name = nullptr;
  log.NestedStatus.push_back(zdz_handler_name(position, &name));
  return 0;
}

class PacketInterpreterTest : public testing::Test {
protected:
  PacketInterpreterTest() {
    std::vector<zdz_packet_handler> all(ZDZ_HANDLER_COUNT, Record);
    EXPECT_EQ(zdz_interpreter_create(all.data(), ZDZ_HANDLER_COUNT, &Log, &Interpreter), ZDZ_OK);
  }
  ~PacketInterpreterTest() override { EXPECT_EQ(zdz_interpreter_release(Interpreter), ZDZ_OK); }

  HandlerLog Log;
  zdz_interpreter* Interpreter = nullptr;
};

TEST_F(PacketInterpreterTest, EveryPacketReachesTheHandlersCModuleCntlCalls) {
  RecordingModuleCntl expected;
  for (int cmdId = 0; cmdId < 256; ++cmdId)
    for (const WORD cntl : {0x112, 0x116, 0x1A1, 0x40C, 0x402, 0x805, 0x123, 0x9112}) {
      SCOPED_TRACE(std::to_string(cmdId) + " " + std::to_string(cntl));
      std::vector<uint8_t> packet = PacketOf(static_cast<BYTE>(cmdId), cntl, 4);
      Log.Positions.clear();
      ASSERT_EQ(zdz_interpret(Interpreter, packet.data(), static_cast<uint32_t>(packet.size())), ZDZ_OK);
      std::vector<uint8_t> same = PacketOf(static_cast<BYTE>(cmdId), cntl, 4);
      expected.Clear();
      expected.Interpret(reinterpret_cast<_ModulePacket*>(same.data()));
      EXPECT_EQ(std::vector<int>(Log.Positions.begin(), Log.Positions.end()), expected.Calls());
    }
}

// A nonzero answer stopping the packet is python/tests/test_packets.py::test_a_handler_that_raises_ends_its_packet.
TEST_F(PacketInterpreterTest, HandlersGetThePacketToRewriteWithItsLength) {
  std::vector<uint8_t> packet = PacketOf(0x90, 0x40C, 4);
  ASSERT_EQ(zdz_interpret(Interpreter, packet.data(), static_cast<uint32_t>(packet.size())), ZDZ_OK);
  ASSERT_EQ(Log.Positions, (std::vector<int32_t>{3, 2}));
  EXPECT_EQ(Log.Lengths, (std::vector<uint32_t>{36, 36}));
  // The last handler's mark.
  EXPECT_EQ(packet[sizeof(_ModulePacket)], 2);
}

TEST(PacketInterpreterCallBackTest, AHandlerMayCallTheInterfaceButNotFeedOrReleaseItsOwnInterpreter) {
  HandlerLog log;
  const zdz_packet_handler handlers[] = {nullptr, nullptr, CallBack};
  ASSERT_EQ(zdz_interpreter_create(handlers, 3, &log, &log.Self), ZDZ_OK);
  std::vector<uint8_t> packet = PacketOf(0x90, 0x40C);
  ASSERT_EQ(zdz_interpret(log.Self, packet.data(), static_cast<uint32_t>(packet.size())), ZDZ_OK);
  EXPECT_EQ(log.Positions, std::vector<int32_t>{3});
  EXPECT_EQ(log.NestedStatus, (std::vector<int32_t>{ZDZ_E_ORDER, ZDZ_E_ORDER, ZDZ_OK}));
  EXPECT_EQ(zdz_interpreter_release(log.Self), ZDZ_OK);
  EXPECT_EQ(zdz_interpreter_release(log.Self), ZDZ_E_HANDLE);
  EXPECT_EQ(zdz_interpret(log.Self, packet.data(), static_cast<uint32_t>(packet.size())), ZDZ_E_HANDLE);
}

TEST(PacketHandlerNamesTest, NamesAreTheClasssByPosition) {
  EXPECT_STREQ(AnswerOf(zdz_handler_name, 1), "ReqOthersGroup");
  EXPECT_STREQ(AnswerOf(zdz_handler_name, 61), "RplyGUIInfo");
  const char* name = nullptr;
  EXPECT_EQ(zdz_handler_name(0, &name), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_handler_name(62, &name), ZDZ_E_ARGUMENT);
}
} // namespace
