// Interpreting a mix of received packets, against a hand-written switch that calls the same
// handlers of the same interpreter.
#include "tests/support/ModuleCntlDispatchModel.h"
#include "tests/support/RecordingModuleCntl.h"
#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/packets/DataHeader.h>

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace {
double BaselineNanoseconds = 0;

void SwitchReqExec(CModuleCntl& target, WORD cntlId) {
  switch (cntlId) {
  case 0x112: target.ReqClientStart(); break;
  case 0x114: target.ReqClientUpdateDataBase(); break;
  case 0x116: target.ReqClientStop(); break;
  case 0x117: target.ReqClientExit(); break;
  case 0x118: target.ReqClientModuleConnect(); break;
  case 0x119: target.ReqClientRegistError(); break;
  case 0x160: target.ReqWaveData(); break;
  case 0x161: target.ReqWaveDataPacked(); break;
  case 0x163: target.ReqWavePackedData(); break;
  case 0x164: target.ReqClientUpdateModule(); break;
  case 0x165: target.ReqClientUpdateScale(); break;
  case 0x1A0: target.ReqWaveDataZoom(); break;
  case 0x1A1: target.ReqWaveInfo(); break;
  case 0x1A2: target.ReqWaveDataZoomPacked(); break;
  case 0x1A3: target.ReqWaveInfoZoom(); break;
  case 0x1A4: target.ReqAccessRight(); break;
  case 0x1A5: target.ReqClientClearWave(); break;
  case 0x1A6: target.ReqClientWaveInit(); break;
  case 0x1A7: target.ReqCreateViewer(); break;
  case 0x1A8: target.ReqUpdateViewer(); break;
  case 0x1A9: target.ReqNotifyViewer(); break;
  case 0x1AA: target.ReqLockRight(); break;
  case 0x1AB: target.ReqNotifyGuiPanel(); break;
  case 0x1AC: target.ReqUpdateMainWindow(); break;
  case 0x1AD: target.ReqGuiData(); break;
  case 0x1AE: target.ReqGetStationInfo(); break;
  case 0x1AF: target.ReqControlSoft(); break;
  case 0x1B0: target.ReqSeqStartScan(); break;
  default: break;
  }
}

void SwitchReqQuery(CModuleCntl& target, WORD cntlId) {
  switch (cntlId) {
  case 0x1A4: target.ReqQueryAccessRight(); break;
  case 0x1AA: target.ReqQueryLockRight(); break;
  case 0x40C: target.ReqWaveData(); break;
  case 0x420: target.ReqViewerParam(); break;
  case 0x421: target.ReqViewerProperty(); break;
  case 0x802: target.ReqStationName(); break;
  case 0x803: target.ReqComment(); break;
  default: break;
  }
}

void SwitchRplyExec(CModuleCntl& target, WORD cntlId) {
  switch (cntlId) {
  case 0x400: target.RplyStart(); break;
  case 0x401: target.RplyStop(); break;
  case 0x403: target.RplyMeasure(); break;
  default: target.RplyExecDefault(); break;
  }
}

void SwitchRplyQuery(CModuleCntl& target, WORD cntlId) {
  switch (cntlId) {
  case 0x1A4: target.RplyAccessRight(); break;
  case 0x1AA: target.RplyLockRight(); break;
  case 0x40C: target.RplyWaveData(); break;
  case 0x40D: target.RplyZoomWaveData(); break;
  case 0x403: target.RplyAcqSequence(); break;
  case 0x404: target.RplyQuerySequence(); break;
  case 0x802: target.RplyStationName(); break;
  case 0x803: target.RplyStationComment(); break;
  case 0x804: target.RplyGetBusInfo(); break;
  case 0x805: target.RplySetBusInfo(); break;
  default: break;
  }
}

void SwitchReply(CModuleCntl& target, BYTE group, WORD cntlId) {
  switch (group) {
  case CmdGroupEvent: target.RplyStationEvent(); break;
  case CmdGroupRplyExec: SwitchRplyExec(target, cntlId); break;
  case CmdGroupParam:
    if (cntlId == 0x40C)
      target.RplyWaveInfo();
    break;
  case CmdGroupQuery: SwitchRplyQuery(target, cntlId); break;
  case CmdGroupGui: target.RplyGUIInfo(); break;
  case CmdGroupHelp: break;
  default: target.RplyOthersGroup(); break;
  }
}

void SwitchRequest(CModuleCntl& target, BYTE group, WORD cntlId) {
  switch (group) {
  case CmdGroupReqExec: SwitchReqExec(target, cntlId); break;
  case CmdGroupEvent: target.RplyStationEvent(); break;
  case CmdGroupParam:
    if (cntlId == 0x40C)
      target.ReqWaveInfo();
    break;
  case CmdGroupQuery: SwitchReqQuery(target, cntlId); break;
  case CmdGroupRplyExec:
  case CmdGroupGui:
  case CmdGroupHelp: break;
  default: target.ReqOthersGroup(); break;
  }
}

/// What an application would write by hand: the packet made the one the handlers read, then a
/// switch on the control word as the warning handler left it. Kept out of line like Interpret.
[[gnu::noinline]] void SwitchInterpret(RecordingModuleCntl& target, _ModulePacket& packet) {
  target.MakeCurrent(&packet);
  const BYTE cmdId = packet.CmdId;
  WORD cntlId = MaskedCntlIdOf(packet.Cntl);
  if (cmdId & CmdFlagOwnHandlerFirst) {
    target.RplyWarning();
    cntlId = MaskedCntlIdOf(packet.Cntl);
  }
  if (cmdId & CmdFlagOwnHandlerOnly)
    target.RplyError();
  else if (cmdId & CmdFlagReply)
    SwitchReply(target, cmdId & CmdGroupMask, cntlId);
  else if ((cmdId & 0x30) == 0)
    SwitchRequest(target, cmdId & CmdGroupMask, cntlId);
}

/// Replies of the query and param groups carry most traffic; requests, events, flags, other
/// groups and unlisted ids come with them.
std::vector<_ModulePacket> PacketMix() {
  std::vector<_ModulePacket> kinds;
  const auto add = [&kinds](BYTE cmdId, WORD cntl, int copies) {
    for (int copy = 0; copy < copies; ++copy)
      kinds.push_back(
          _ModulePacket{48, 48, 1, 1, 2, cmdId, MakeCntl(cntl, static_cast<WORD>(copy)), 0x10, 1, {}, 16, 0});
  };
  for (const ModelRoute& route : ModelRoutes)
    add(route.CmdId, route.CntlId, route.CmdId >= 0x89 ? 6 : 2);
  for (const BYTE cmdId : {0x00, 0x09, 0x0A, 0x88, 0x89, 0x8A})
    add(cmdId, 0x123, 2);
  for (const BYTE cmdId : {0x07, 0x87, 0x97, 0x8B, 0x0B, 0x0C, 0x8C, 0x03, 0x8E, 0x08, 0x90, 0x30, 0xA8, 0x4A, 0xCA})
    add(cmdId, 0x40C, 2);
  // A fixed shuffle, so that neither side learns the order.
  std::vector<_ModulePacket> mix;
  unsigned seed = 12345;
  for (std::size_t index = 0; index < 4096; ++index) {
    seed = seed * 1103515245u + 12345u;
    mix.push_back(kinds[(seed >> 8) % kinds.size()]);
  }
  return mix;
}

std::vector<_ModulePacket> Mix = PacketMix();

bool BothCallTheSame() {
  RecordingModuleCntl byInterpret;
  RecordingModuleCntl bySwitch;
  for (_ModulePacket& packet : Mix) {
    byInterpret.Clear();
    bySwitch.Clear();
    byInterpret.Interpret(&packet);
    SwitchInterpret(bySwitch, packet);
    if (byInterpret.Calls() != bySwitch.Calls() || byInterpret.SeenPacket != bySwitch.SeenPacket)
      return false;
  }
  return true;
}

/// The processor time of this thread: other programs on a busy machine do not count in it.
double ThreadNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

/// Runs body over the mix once per iteration; processor nanoseconds per packet.
template <typename BodyT>
double TimeMix(benchmark::State& state, BodyT body) {
  if (!BothCallTheSame()) {
    state.SkipWithError("the switch and Interpret disagree");
    return 0;
  }
  const double start = ThreadNanoseconds();
  for (auto _ : state)
    for (_ModulePacket& packet : Mix)
      body(packet);
  const double elapsed = ThreadNanoseconds() - start;
  const double packets = static_cast<double>(state.iterations()) * static_cast<double>(Mix.size());
  state.counters["packets_per_second"] = benchmark::Counter(packets, benchmark::Counter::kIsRate);
  return packets == 0 ? 0 : elapsed / packets;
}

void BM_InterpretBaseline(benchmark::State& state) {
  RecordingModuleCntl recorder;
  BaselineNanoseconds = TimeMix(state, [&](_ModulePacket& packet) { SwitchInterpret(recorder, packet); });
  benchmark::DoNotOptimize(recorder.CallCount);
}

void BM_Interpret(benchmark::State& state) {
  RecordingModuleCntl recorder;
  CModuleCntl& target = recorder;
  const double nanoseconds = TimeMix(state, [&](_ModulePacket& packet) { target.Interpret(&packet); });
  benchmark::DoNotOptimize(recorder.CallCount);
  if (BaselineNanoseconds > 0)
    state.counters["ratio"] = nanoseconds / BaselineNanoseconds;
}
} // namespace

// The baseline runs first so that the pair's ratio can be reported.
BENCHMARK(BM_InterpretBaseline);
BENCHMARK(BM_Interpret);
