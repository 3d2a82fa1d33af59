#include "tools/demo/DemoScenes.h"

#include "tools/demo/DemoCodes.h"

#include <zodavudaz/packets/CEndianSemiModulePacket.h>
#include <zodavudaz/packets/CEndianStaPacket.h>
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

#include <cstdio>
#include <vector>

namespace {
void PrintModulePacket(const char* title, const CEndianModulePacket& packet) {
  const WORD cmdId = packet.GetCmdId();
  std::printf("%s\n", title);
  std::printf("  size %lu (data %lu)  all bytes %lu  packet %lu of %lu\n", static_cast<unsigned long>(packet.GetSize()),
              static_cast<unsigned long>(packet.GetDataSize()), static_cast<unsigned long>(packet.GetAllBytes()),
              static_cast<unsigned long>(packet.GetCurPacketNo()), static_cast<unsigned long>(packet.GetAllPacket()));
  std::printf("  module %u  command 0x%02X (group %u, %s)  control 0x%04X (id 0x%03X, offset %u)\n",
              packet.GetModuleId(), cmdId, cmdId & CmdGroupMask, cmdId & CmdFlagReply ? "reply" : "request",
              packet.GetCntl(), packet.GetMaskedCntlId(), packet.GetCntlOfst());
  std::printf("  type 0x%02X  version %u  parameters %lu  thread 0x%08lX\n  data", packet.GetParamType(),
              packet.GetVersion(), static_cast<unsigned long>(packet.GetParamNum()),
              static_cast<unsigned long>(packet.GetThreadAddr()));
  for (WORD index = 0; index < packet.GetDataSize() / 2; ++index)
    std::printf(" 0x%04X", packet.GetDataW(index));
  std::printf("\n");
}

/// A request for three words of the query group, control 0x40C of member 9, wrapped in a station
/// packet from address 0x0A000101 to 0x0A000102.
void BuildAndShowPackets() {
  std::vector<BYTE> bytes(sizeof(_StaPackect) + 6, 0);
  CEndianStaPacket station(reinterpret_cast<_StaPackect*>(bytes.data()));
  CEndianModulePacket request(station.GetModulePacket());
  request.SetSize(6);
  request.SetAllBytes(1, 6);
  request.SetCurPacketNo(1);
  request.SetAllPacket(1);
  request.SetModuleId(2);
  request.SetCmdId(CmdGroupQuery);
  request.SetCntlId(MakeCntl(0x40C, 9));
  request.SetParamType(0x10);
  request.SetVersion(1);
  request.SetParamNum(3);
  for (WORD index = 0; index < 3; ++index)
    request.SetDataW(index, static_cast<WORD>(index + 1));
  station.SetRXAddr(0x0A000102);
  station.SetTXAddr(0x0A000101);
  station.SetBodySize();
  PrintModulePacket("module packet built field by field:", request);
  std::printf("station packet: from 0x%08lX to 0x%08lX, body %u bytes, whole %u bytes, module packet size %u\n",
              static_cast<unsigned long>(station.GetTXAddr()), static_cast<unsigned long>(station.GetRXAddr()),
              station.GetBodySize(), station.GetSize(), station.GetModulePacketSize());
  CEndianSemiModulePacket semi(static_cast<_SemiModulePacket*>(request.GetDataHeader()));
  std::printf("its data header as a semi-module packet: module %u, command 0x%02X, control 0x%04X, %u data bytes\n",
              semi.GetModuleId(), semi.GetCmdId(), semi.GetCntl(), semi.GetDataSize());
}

void ShowFrontendReply(const CGUIDatabase& database, const DemoModule& target) {
  CModule* module = nullptr;
  database.GetModuleInf(target.Station, target.Slot, &module);
  _ModulePacket* reply = nullptr;
  const WORD result = module->Frontend->Query(CmdGroupGui, 0x123, nullptr, 0xFF, 0, &reply, GetMgr()->GetRplySync(), 0);
  std::printf("GUI query 0x123 to station %u module 0x%02X through its frontend: result %u (%s)\n", target.Station,
              target.Slot, result, ResultName(result));
  if (result != 0)
    return;
  PrintModulePacket("reply packet (the frontend library's):", CEndianModulePacket(reply));
  std::printf("(thread: the request's reply record as the reply carries it back: its address in the 32-bit build, a "
              "handle that GetRplySync turns back into it in the native build; 0 in a packet built without one)\n");
}
} // namespace

void ShowPackets(const CGUIDatabase& database, const DemoTargets& targets) {
  std::printf("== Packets ==\n");
  BuildAndShowPackets();
  if (targets.Acquisition)
    ShowFrontendReply(database, *targets.Acquisition);
  else
    std::printf("GUI query through a frontend: skipped, no module to ask\n");
  std::printf("\n");
}
