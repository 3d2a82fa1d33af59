#include "control/CModuleCntl.h"

#include "control/CModuleCntlDispatch.h"
#include "packets/DataHeader.h"

using namespace ModuleCntlDispatch;

namespace {
/// A request goes to its group only without any of these.
constexpr BYTE RequestFlagsMask = CmdFlagReply | CmdFlagOwnHandlerOnly | CmdFlagOwnHandlerFirst;
} // namespace

void CModuleCntl::Interpret(_ModulePacket* packet) {
  // A null packet would be dereferenced by every handler that reads it.
  if (packet == nullptr)
    return;
  Packet = packet;
  CmdId = CEndianModulePacket(packet).GetCmdId();
  // The handlers are the application's; what they throw must not cross the library's boundary.
  try {
    DispatchCmd();
  } catch (...) {
  }
}

void CModuleCntl::DispatchCmd() {
  if (CmdId & CmdFlagOwnHandlerFirst)
    RplyWarning();
  if (CmdId & CmdFlagOwnHandlerOnly) {
    RplyError();
    return;
  }
  const BYTE group = CmdId & CmdGroupMask;
  if (CmdId & CmdFlagReply)
    (this->*ReplyGroupAt[group])();
  else if ((CmdId & RequestFlagsMask) == 0 && RequestGroupAt[group] != nullptr)
    (this->*RequestGroupAt[group])();
}

void CModuleCntl::CallHandlerAt(BYTE position) {
  if (Packet != nullptr && position != NoHandler)
    (this->*HandlerAt[position])();
}

WORD CModuleCntl::CurrentCntlId() const noexcept { return MaskedCntlIdOf(GetPacketCntlId()); }

void CModuleCntl::ReqExecGroup() { CallHandlerAt(ReqExecTable::PositionOf(CurrentCntlId())); }

void CModuleCntl::ReqQueryGroup() { CallHandlerAt(ReqQueryTable::PositionOf(CurrentCntlId())); }

void CModuleCntl::ReqParamGroup() { CallHandlerAt(ReqParamTable::PositionOf(CurrentCntlId())); }

void CModuleCntl::ReqGUIGroup() {}

void CModuleCntl::ReqHelpGroup() {}

void CModuleCntl::RplyExecGroup() { CallHandlerAt(RplyExecTable::PositionOf(CurrentCntlId())); }

void CModuleCntl::RplyQueryGroup() { CallHandlerAt(RplyQueryTable::PositionOf(CurrentCntlId())); }

void CModuleCntl::RplyParamGroup() { CallHandlerAt(RplyParamTable::PositionOf(CurrentCntlId())); }

void CModuleCntl::RplyGUIGroup() {
  if (Packet != nullptr)
    RplyGUIInfo();
}

void CModuleCntl::RplyHelpGroup() {}

WORD CModuleCntl::GetPacketModuleId() const noexcept { return CEndianModulePacket(Packet).GetModuleId(); }

WORD CModuleCntl::GetPacketCntlId() const noexcept { return CEndianModulePacket(Packet).GetCntl(); }
