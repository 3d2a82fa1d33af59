#include <zodavudaz/control/CModuleCntl.h>

#include <zodavudaz/control/CModuleCntlDispatch.h>
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>

#include <cstddef>

using namespace ModuleCntlDispatch;

// The steps of a dispatch have internal linkage, so that they inline into Interpret instead of
// going through the library's exported entry points.
namespace {
/// A request goes to its group only without any of these.
constexpr BYTE RequestFlagsMask = CmdFlagReply | CmdFlagOwnHandlerOnly | CmdFlagOwnHandlerFirst;

/// The position that packet's control id selects in table; none without a packet.
BYTE PositionIn(const _ModulePacket* packet, const CntlDispatchTable& table) {
  if (packet == nullptr)
    return NoHandler;
  return table.PositionOf(MaskedCntlIdOf(LoadWire<WORD>(packet, offsetof(_ModulePacket, Cntl))));
}

void Route(CModuleCntl& target, const _ModulePacket* packet, const CntlDispatchTable& table) {
  const BYTE position = PositionIn(packet, table);
  if (position != NoHandler)
    (target.*HandlerAt[position])();
}

/// Calls visit with the position of each handler that Interpret calls for packet, in order.
template <typename Visit>
void ForEachHandlerPosition(const _ModulePacket* packet, Visit visit) {
  const BYTE cmdId = LoadWire<BYTE>(packet, offsetof(_ModulePacket, CmdId));
  if (cmdId & CmdFlagOwnHandlerFirst)
    visit(RplyWarningPosition);
  if (cmdId & CmdFlagOwnHandlerOnly) {
    visit(RplyErrorPosition);
    return;
  }
  BYTE position = NoHandler;
  if (cmdId & CmdFlagReply)
    position = PositionIn(packet, ReplyGroups[cmdId & CmdGroupMask]);
  else if ((cmdId & RequestFlagsMask) == 0)
    position = PositionIn(packet, RequestGroups[cmdId & CmdGroupMask]);
  if (position != NoHandler)
    visit(position);
}
} // namespace

int GetModuleCntlHandlerNames(const _ModulePacket* packet, LPCTSTR names[MaxHandlersPerPacket]) noexcept {
  if (packet == nullptr)
    return 0;
  int count = 0;
  ForEachHandlerPosition(packet, [&](BYTE position) { names[count++] = HandlerNames[position]; });
  return count;
}

void CModuleCntl::Interpret(_ModulePacket* packet) {
  // A null packet would be dereferenced by every handler that reads it.
  if (packet == nullptr)
    return;
  Packet = packet;
  CmdId = LoadWire<BYTE>(packet, offsetof(_ModulePacket, CmdId));
  // The handlers are the application's; what they throw must not cross the library's boundary.
  try {
    ForEachHandlerPosition(packet, [this](BYTE position) { (this->*HandlerAt[position])(); });
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
