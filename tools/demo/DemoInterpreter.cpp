#include "tools/demo/DemoScenes.h"

#include "tools/demo/DemoCodes.h"

#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/packets/DataHeader.h>

#include <cstdio>

namespace {
/// A viewer's interpreter: the handlers it cares about print their names.
class PrintingInterpreter : public CModuleCntl {
public:
  /// Interprets packet and prints which handlers it reached.
  void Show(_ModulePacket& packet) {
    const CEndianModulePacket view(&packet);
    std::printf("  command 0x%02X (%s), control 0x%04X (id 0x%03X, channel %u)\n    ->", view.GetCmdId(),
                CommandText(view.GetCmdId()).c_str(), view.GetCntl(), view.GetMaskedCntlId(), view.GetCntlOfst());
    Handled = 0;
    Interpret(&packet);
    std::printf("%s\n", Handled == 0 ? " (no handler)" : "");
  }

  void RplyWarning() override { Print("RplyWarning"); }
  void RplyError() override { Print("RplyError"); }
  void ReqClientStart() override { Print("ReqClientStart"); }
  void RplyStart() override { Print("RplyStart"); }
  void RplyStationEvent() override { Print("RplyStationEvent"); }
  void RplyExecDefault() override { Print("RplyExecDefault"); }
  void RplyWaveData() override { Print("RplyWaveData"); }
  void RplyWaveInfo() override { Print("RplyWaveInfo"); }

private:
  void Print(const char* handler) {
    std::printf(" %s(module %u, channel %u)", handler, GetPacketModuleId(), CntlOfstOf(GetPacketCntlId()));
    ++Handled;
  }
  int Handled = 0;
};

_ModulePacket ReceivedPacket(BYTE cmdId, WORD cntlId, WORD channel) {
  _ModulePacket packet{};
  CEndianModulePacket view(&packet);
  view.SetSize(0);
  view.SetAllBytes(1, 0);
  view.SetCurPacketNo(1);
  view.SetAllPacket(1);
  view.SetModuleId(2);
  view.SetCmdId(cmdId);
  view.SetCntlId(MakeCntl(cntlId, channel));
  return packet;
}
} // namespace

void ShowInterpreter() {
  std::printf("== Interpreter ==\n");
  _ModulePacket received[] = {
      ReceivedPacket(CmdFlagReply | CmdGroupParam, 0x40C, 3),
      ReceivedPacket(CmdFlagReply | CmdGroupQuery, 0x40C, 3),
      ReceivedPacket(CmdFlagReply | CmdFlagOwnHandlerFirst | CmdGroupQuery, 0x40C, 1),
      ReceivedPacket(CmdFlagReply | CmdFlagOwnHandlerOnly | CmdGroupQuery, 0x40C, 1),
      ReceivedPacket(CmdFlagReply | CmdGroupRplyExec, 0x400, 0),
      ReceivedPacket(CmdFlagReply | CmdGroupRplyExec, 0x402, 0),
      // A reply is its group | 0x80: the reply-exec group without the reply bit reaches no handler.
      ReceivedPacket(CmdGroupRplyExec, 0x400, 0),
      ReceivedPacket(CmdFlagReply | CmdGroupEvent, 0x010, 0),
      ReceivedPacket(CmdGroupReqExec, 0x112, 0),
      ReceivedPacket(CmdGroupReqExec, 0x113, 0),
  };
  PrintingInterpreter interpreter;
  for (_ModulePacket& packet : received)
    interpreter.Show(packet);
  std::printf("\n");
}
