// The packet interpreter through the C interface: C handlers called as CModuleCntl calls its own.
#include "tests/support/RecordingModuleCntl.h"
#include <zodavudaz/control/PacketDecoding.h>
#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/zodavudaz_c.h>

#include <gtest/gtest.h>

#include <cstring>
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

/// What the handlers saw, and what they are told to do.
struct HandlerLog {
  std::vector<int32_t> Positions;
  std::vector<uint32_t> Lengths;
  int32_t StopAt = 0;
  zdz_interpreter* Self = nullptr;
  std::vector<int32_t> NestedStatus;
};

int32_t Record(void* user, int32_t position, uint8_t* packet, uint32_t length) {
  HandlerLog& log = *static_cast<HandlerLog*>(user);
  log.Positions.push_back(position);
  log.Lengths.push_back(length);
  packet[sizeof(_ModulePacket)] = static_cast<uint8_t>(position);
  return position == log.StopAt ? 1 : 0;
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

TEST_F(PacketInterpreterTest, HandlersGetThePacketToRewriteAndANonzeroAnswerStopsIt) {
  std::vector<uint8_t> packet = PacketOf(0x90, 0x40C, 4);
  const auto interpret = [&] {
    return zdz_interpret(Interpreter, packet.data(), static_cast<uint32_t>(packet.size()));
  };
  ASSERT_EQ(interpret(), ZDZ_OK);
  ASSERT_EQ(Log.Positions, (std::vector<int32_t>{3, 2}));
  EXPECT_EQ(Log.Lengths, (std::vector<uint32_t>{36, 36}));
  // The last handler's mark.
  EXPECT_EQ(packet[sizeof(_ModulePacket)], 2);
  Log.StopAt = 3;
  Log.Positions.clear();
  EXPECT_EQ(interpret(), ZDZ_E_STOPPED);
  EXPECT_EQ(Log.Positions, std::vector<int32_t>{3});
  Log.StopAt = 0;
  EXPECT_EQ(interpret(), ZDZ_OK);
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
  const char* name = nullptr;
  ASSERT_EQ(zdz_handler_name(1, &name), ZDZ_OK);
  EXPECT_STREQ(name, "ReqOthersGroup");
  ASSERT_EQ(zdz_handler_name(61, &name), ZDZ_OK);
  EXPECT_STREQ(name, "RplyGUIInfo");
  EXPECT_EQ(zdz_handler_name(0, &name), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_handler_name(62, &name), ZDZ_E_ARGUMENT);
}

TEST(PacketDecodingCTest, TheTextIsTheLibrarysDecoding) {
  const std::vector<uint8_t> packet = PacketOf(0x8A, 0x940C, 3);
  for (const int32_t kind : {ZDZ_PACKET_MODULE, ZDZ_PACKET_SEMI}) {
    CString expected;
    ASSERT_EQ(DecodePacket(packet.data(), static_cast<DWORD>(packet.size()), static_cast<PacketKind>(kind), expected),
              1);
    char text[2048];
    uint32_t size = 0;
    ASSERT_EQ(zdz_decode_packet(packet.data(), static_cast<uint32_t>(packet.size()), kind, text, sizeof text, &size),
              ZDZ_OK);
    EXPECT_EQ(std::string(text), std::string(expected));
    EXPECT_EQ(size, static_cast<uint32_t>(expected.GetLength()) + 1);
  }
}
} // namespace
