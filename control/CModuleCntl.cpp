#include "control/CModuleCntl.h"

#include "control/CModuleCntlDispatch.h"
#include "packets/DataHeader.h"
#include "packets/WireField.h"

#include <cstddef>

using namespace ModuleCntlDispatch;

// The steps of a dispatch have internal linkage, so that they inline into Interpret instead of
// going through the library's exported entry points.
namespace {
/// A request goes to its group only without any of these.
constexpr BYTE RequestFlagsMask = CmdFlagReply | CmdFlagOwnHandlerOnly | CmdFlagOwnHandlerFirst;

/// Calls the handler that packet's control id selects in table; nothing without a packet.
void Route(CModuleCntl& target, const _ModulePacket* packet, const CntlDispatchTable& table) {
  if (packet == nullptr)
    return;
  const BYTE position = table.PositionOf(MaskedCntlIdOf(LoadWire<WORD>(packet, offsetof(_ModulePacket, Cntl))));
  if (position != NoHandler)
    (target.*HandlerAt[position])();
}

void Dispatch(CModuleCntl& target, const _ModulePacket* packet, BYTE cmdId) {
  if (cmdId & CmdFlagOwnHandlerFirst)
    target.RplyWarning();
  if (cmdId & CmdFlagOwnHandlerOnly) {
    target.RplyError();
    return;
  }
  if (cmdId & CmdFlagReply)
    Route(target, packet, ReplyGroups[cmdId & CmdGroupMask]);
  else if ((cmdId & RequestFlagsMask) == 0)
    Route(target, packet, RequestGroups[cmdId & CmdGroupMask]);
}
} // namespace

void CModuleCntl::Interpret(_ModulePacket* packet) {
  // A null packet would be dereferenced by every handler that reads it.
  if (packet == nullptr)
    return;
  Packet = packet;
  const BYTE cmdId = LoadWire<BYTE>(packet, offsetof(_ModulePacket, CmdId));
  CmdId = cmdId;
  // The handlers are the application's; what they throw must not cross the library's boundary.
  try {
    Dispatch(*this, packet, cmdId);
  } catch (...) {
  }
}

void CModuleCntl::ReqExecGroup() { Route(*this, Packet, ReqExecTable); }

void CModuleCntl::ReqQueryGroup() { Route(*this, Packet, ReqQueryTable); }

void CModuleCntl::ReqParamGroup() { Route(*this, Packet, ReqParamTable); }

void CModuleCntl::ReqGUIGroup() {}

void CModuleCntl::ReqHelpGroup() {}

void CModuleCntl::RplyExecGroup() { Route(*this, Packet, RplyExecTable); }

void CModuleCntl::RplyQueryGroup() { Route(*this, Packet, RplyQueryTable); }

void CModuleCntl::RplyParamGroup() { Route(*this, Packet, RplyParamTable); }

void CModuleCntl::RplyGUIGroup() { Route(*this, Packet, RplyGUITable); }

void CModuleCntl::RplyHelpGroup() {}

WORD CModuleCntl::GetPacketModuleId() const noexcept { return CEndianModulePacket(Packet).GetModuleId(); }

WORD CModuleCntl::GetPacketCntlId() const noexcept { return CEndianModulePacket(Packet).GetCntl(); }
