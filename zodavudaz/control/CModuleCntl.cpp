#include <zodavudaz/control/CModuleCntl.h>

#include <zodavudaz/control/CModuleCntlDispatch.h>
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>

#include <cstddef>

using namespace ModuleCntlDispatch;

namespace {
BYTE CmdIdOf(const _ModulePacket* packet) { return LoadWire<BYTE>(packet, offsetof(_ModulePacket, CmdId)); }

/// A visitor that calls each handler it is visited with on target.
class CallsOn {
public:
  explicit CallsOn(CModuleCntl& target) noexcept : Target(target) {}

  template <BYTE Position>
  void operator()(std::integral_constant<BYTE, Position> /*position*/) const {
    CallHandlerAt<Position>(Target);
  }

  void operator()(BYTE position) const { HandlerCallAt[position](Target); }

private:
  CModuleCntl& Target;
};

/// Calls the handler that packet's control id selects among Routes; none without a packet.
template <const auto& Routes, BYTE MissPosition = NoHandler>
void CallRoute(CModuleCntl& target, const _ModulePacket* packet) {
  CallsOn calls(target);
  VisitPacketRoute<Routes, MissPosition>(CntlIdOf(packet), calls);
}
} // namespace

int GetModuleCntlHandlerNames(const _ModulePacket* packet, LPCTSTR names[MaxHandlersPerPacket]) noexcept {
  if (packet == nullptr)
    return 0;
  int count = 0;
  VisitHandlers(
      packet, [packet] { return packet; },
      [&](BYTE position) {
        if (position != NoHandler)
          names[count++] = HandlerNames[position];
      });
  return count;
}

void CModuleCntl::Interpret(_ModulePacket* packet) {
  // A null packet would be dereferenced by every handler that reads it.
  if (packet == nullptr)
    return;
  Packet = packet;
  CmdId = CmdIdOf(packet);
  // The handlers are the application's; what they throw must not cross the library's boundary.
  try {
    // A group after the warning handler dispatches on the packet as that handler left it.
    VisitHandlers(
        packet, [this] { return static_cast<const _ModulePacket*>(Packet); }, CallsOn(*this));
  } catch (...) {
  }
}

void CModuleCntl::ReqExecGroup() { CallRoute<ReqExecRoutes>(*this, Packet); }

void CModuleCntl::ReqQueryGroup() { CallRoute<ReqQueryRoutes>(*this, Packet); }

void CModuleCntl::ReqParamGroup() { CallRoute<ReqParamRoutes>(*this, Packet); }

void CModuleCntl::ReqGUIGroup() {}

void CModuleCntl::ReqHelpGroup() {}

void CModuleCntl::RplyExecGroup() { CallRoute<RplyExecRoutes, RplyExecDefaultPosition>(*this, Packet); }

void CModuleCntl::RplyQueryGroup() { CallRoute<RplyQueryRoutes>(*this, Packet); }

void CModuleCntl::RplyParamGroup() { CallRoute<RplyParamRoutes>(*this, Packet); }

void CModuleCntl::RplyGUIGroup() {
  if (Packet != nullptr)
    CallHandlerAt<RplyGUIInfoPosition>(*this);
}

void CModuleCntl::RplyHelpGroup() {}

WORD CModuleCntl::GetPacketModuleId() const noexcept { return CEndianModulePacket(Packet).GetModuleId(); }

WORD CModuleCntl::GetPacketCntlId() const noexcept { return CEndianModulePacket(Packet).GetCntl(); }
