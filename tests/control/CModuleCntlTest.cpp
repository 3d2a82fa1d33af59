#include <zodavudaz/control/CModuleCntl.h>

#include "tests/support/ModuleCntlDispatchModel.h"
#include "tests/support/RecordingModuleCntl.h"
#include <zodavudaz/packets/DataHeader.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {
_ModulePacket PacketOf(BYTE cmdId, WORD cntl, BYTE moduleId = 2) {
  _ModulePacket packet{};
  CEndianModulePacket view(&packet);
  view.SetSize(0);
  view.SetModuleId(moduleId);
  view.SetCmdId(cmdId);
  view.SetCntlId(cntl);
  return packet;
}

/// The interpreter stays bound to the last packet, so the packet outlives each call.
class CModuleCntlTest : public testing::Test {
protected:
  std::vector<int> InterpretedCalls(RecordingModuleCntl& interpreter, BYTE cmdId, WORD cntl) {
    Packet = PacketOf(cmdId, cntl);
    interpreter.Clear();
    interpreter.Interpret(&Packet);
    return interpreter.Calls();
  }
  _ModulePacket Packet{};
};

using Dispatcher = void (CModuleCntl::*)();

struct DispatcherRow {
  const char* Name;
  Dispatcher Dispatch;
  WORD Cntl;
  std::vector<int> Calls;
};

const DispatcherRow DispatcherRows[] = {
    {"ReqExecGroup", &CModuleCntl::ReqExecGroup, 0x9112, {6}},
    {"ReqQueryGroup", &CModuleCntl::ReqQueryGroup, 0x040C, {10}},
    {"ReqParamGroup", &CModuleCntl::ReqParamGroup, 0x040C, {13}},
    {"RplyExecGroup", &CModuleCntl::RplyExecGroup, 0x0402, {46}},
    {"RplyQueryGroup", &CModuleCntl::RplyQueryGroup, 0x040C, {49}},
    {"RplyParamGroup", &CModuleCntl::RplyParamGroup, 0x040C, {59}},
    {"RplyGUIGroup", &CModuleCntl::RplyGUIGroup, 0x0123, {61}},
};

/// An application whose warning handler changes the packet that the group dispatch then reads.
class RewritingModuleCntl : public RecordingModuleCntl {
public:
  std::function<void(_ModulePacket*&)> Rewrite;
  void RplyWarning() override {
    RecordingModuleCntl::RplyWarning();
    Rewrite(Packet);
  }
};

/// An application that cares about one packet only: every other handler is the base default.
class WaveDataOnlyModuleCntl : public CModuleCntl {
public:
  void RplyWaveData() override { ++Calls; }
  int Calls = 0;
};
constexpr int WaveDataOnlyPosition = 49;

/// The interpreter's slot table; the i386 calling convention passes this as the first argument.
using Slot = void (*)(CModuleCntl*);
Slot* SlotsOf(CModuleCntl& interpreter) {
  Slot* slots = nullptr;
  std::memcpy(&slots, static_cast<void*>(&interpreter), sizeof slots);
  return slots;
}

/// Every listed control id under offsets 0, 9 and 15 with the ids beside it, and the edge words.
std::vector<WORD> ControlWords() {
  std::vector<WORD> words = {0x0000, 0x0FFF, 0xF000, 0x8000, 0x8001};
  for (const ModelRoute& route : ModelRoutes)
    for (const WORD offset : {0, 9, 15})
      for (const int step : {-1, 0, 1})
        words.push_back(MakeCntl(static_cast<WORD>(route.CntlId + step), offset));
  return words;
}
} // namespace

// Every command id, so every group with each flag combination. Interpreting leaves the packet and the
// interpreter's view of it as they were, and an application overriding one handler sees only its packets.
TEST_F(CModuleCntlTest, EveryCommandIdWithListedAndNeighbouringIdsFollowsTheRules) {
  RecordingModuleCntl interpreter;
  WaveDataOnlyModuleCntl waveDataOnly;
  const std::vector<WORD> words = ControlWords();
  for (int cmdId = 0; cmdId < 256; ++cmdId)
    for (const WORD cntl : words) {
      const std::vector<int> model = ModelCalls(static_cast<BYTE>(cmdId), cntl);
      const std::vector<int> calls = InterpretedCalls(interpreter, static_cast<BYTE>(cmdId), cntl);
      const _ModulePacket sent = PacketOf(static_cast<BYTE>(cmdId), cntl);
      Packet = sent;
      waveDataOnly.Calls = 0;
      waveDataOnly.Interpret(&Packet);
      const bool packetKept = std::memcmp(&Packet, &sent, sizeof Packet) == 0;
      ASSERT_EQ(std::make_tuple(calls, waveDataOnly.Calls, packetKept, waveDataOnly.GetPacketCntlId()),
                std::make_tuple(model, std::count(model.begin(), model.end(), WaveDataOnlyPosition), true, cntl))
          << "command 0x" << std::hex << cmdId << " control 0x" << cntl;
    }
}

// A dispatcher called directly acts on the packet last interpreted, whatever its group, and before
// the first packet reads and calls nothing.
TEST_F(CModuleCntlTest, DispatchersCalledDirectlyActOnTheCurrentPacket) {
  RecordingModuleCntl interpreter;
  EXPECT_EQ(interpreter.GetPacketModuleId() + interpreter.GetPacketCntlId(), 0);
  for (const DispatcherRow& row : DispatcherRows)
    (interpreter.*row.Dispatch)();
  EXPECT_EQ(interpreter.CallCount, 0u);
  for (const DispatcherRow& row : DispatcherRows) {
    SCOPED_TRACE(row.Name);
    ASSERT_TRUE(InterpretedCalls(interpreter, 0x08, row.Cntl).empty()) << "command 0x08 calls nothing itself";
    (interpreter.*row.Dispatch)();
    EXPECT_EQ(interpreter.Calls(), row.Calls);
  }
}

// The group comes from the command id as received, the control id from the packet as the warning
// handler left it.
TEST_F(CModuleCntlTest, GroupDispatchReadsThePacketTheWarningHandlerLeft) {
  _ModulePacket other = PacketOf(0x98, 0x0403);
  const auto setCntl = [](WORD cntl) {
    return [cntl](_ModulePacket*& packet) { CEndianModulePacket(packet).SetCntlId(cntl); };
  };
  const auto setCmdId = [](WORD cmdId) {
    return [cmdId](_ModulePacket*& packet) { CEndianModulePacket(packet).SetCmdId(cmdId); };
  };
  const auto replace = [&other](_ModulePacket*& packet) { packet = &other; };
  const auto drop = [](_ModulePacket*& packet) { packet = nullptr; };
  const struct {
    const char* Name;
    BYTE CmdId;
    WORD Cntl;
    std::function<void(_ModulePacket*&)> Rewrite;
    std::vector<int> Calls;
    const _ModulePacket* LastSeen;
  } rows[] = {
      {"reply exec id rewritten", 0x98, 0x0400, setCntl(0x0401), {3, 43}, &Packet},
      {"reply query id rewritten", 0x9A, 0x040C, setCntl(0x740D), {3, 52}, &Packet},
      {"reply param id rewritten to an unlisted one", 0x99, 0x040C, setCntl(0x040D), {3}, &Packet},
      {"packet replaced", 0x98, 0x0400, replace, {3, 44}, &other},
      {"command id rewritten, group kept", 0x99, 0x040C, setCmdId(0x8A), {3, 59}, &Packet},
      {"packet dropped before reply exec", 0x98, 0x0400, drop, {3}, &Packet},
      {"packet dropped before reply GUI", 0x9B, 0x0400, drop, {3}, &Packet},
      {"packet dropped before an event", 0x97, 0x0400, drop, {3, 45}, nullptr},
      {"packet dropped before another group", 0x91, 0x0400, drop, {3, 2}, nullptr},
  };
  RewritingModuleCntl interpreter;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    interpreter.Rewrite = row.Rewrite;
    EXPECT_EQ(InterpretedCalls(interpreter, row.CmdId, row.Cntl), row.Calls);
    EXPECT_EQ(interpreter.SeenPacket, row.LastSeen);
  }
}

// Applications are compiled against the slot order: slot p of the table must call position p. The
// base defaults do nothing, the positions no packet reaches included.
TEST_F(CModuleCntlTest, EachSlotCallsTheHandlerOfItsPosition) {
  RecordingModuleCntl recording;
  WaveDataOnlyModuleCntl waveDataOnly;
  for (int position = 1; position <= 61; ++position) {
    recording.Clear();
    SlotsOf(recording)[position](&recording);
    EXPECT_EQ(recording.Calls(), std::vector<int>{position});
    waveDataOnly.Calls = 0;
    SlotsOf(waveDataOnly)[position](&waveDataOnly);
    EXPECT_EQ(waveDataOnly.Calls, position == WaveDataOnlyPosition ? 1 : 0) << position;
  }
}
