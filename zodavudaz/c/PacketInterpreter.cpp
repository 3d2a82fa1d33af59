// The packet interpreter through the C interface: CModuleCntl's handlers call C functions.
#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/HandleTable.h>
#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/control/CModuleCntlDispatch.h>

#include <memory>
#include <vector>

namespace {
/// What a handler throws to stop its packet's dispatch; CModuleCntl::Interpret ends it there.
struct DispatchStopped {};

/// An interpreter whose every handler calls the C handler of its position.
class CHandlerInterpreter final : public CModuleCntl {
public:
  CHandlerInterpreter(const zdz_packet_handler* handlers, uint32_t count, void* user)
      : Handlers(handlers, handlers + count), User(user) {}

  /// Dispatches the packet; ZDZ_E_STOPPED when a handler stopped it.
  int32_t Dispatch(uint8_t* packet, uint32_t length) {
    Length = length;
    Stopped = false;
    Busy = true;
    Interpret(reinterpret_cast<_ModulePacket*>(packet));
    Busy = false;
    return Stopped ? ZDZ_E_STOPPED : ZDZ_OK;
  }

  /// True while one of its handlers runs.
  bool IsBusy() const noexcept { return Busy; }

  void ReqOthersGroup() override { Call(1); }
  void RplyOthersGroup() override { Call(2); }
  void RplyWarning() override { Call(3); }
  void RplyModuleInfo() override { Call(4); }
  void RplyError() override { Call(5); }
  void ReqClientStart() override { Call(6); }
  void ReqClientStop() override { Call(7); }
  void ReqClientExit() override { Call(8); }
  void ReqClientModuleConnect() override { Call(9); }
  void ReqWaveData() override { Call(10); }
  void ReqWaveDataPacked() override { Call(11); }
  void ReqWaveDataZoom() override { Call(12); }
  void ReqWaveInfo() override { Call(13); }
  void ReqWaveDataZoomPacked() override { Call(14); }
  void ReqWaveInfoZoom() override { Call(15); }
  void ReqAccessRight() override { Call(16); }
  void ReqLockRight() override { Call(17); }
  void ReqClientClearWave() override { Call(18); }
  void ReqCreateEvent() override { Call(19); }
  void ReqReleaseEvent() override { Call(20); }
  void ReqWavePackedData() override { Call(21); }
  void ReqClientWaveInit() override { Call(22); }
  void ReqClientRegistError() override { Call(23); }
  void ReqClientUpdateDataBase() override { Call(24); }
  void ReqClientUpdateModule() override { Call(25); }
  void ReqClientUpdateScale() override { Call(26); }
  void ReqCreateViewer() override { Call(27); }
  void ReqUpdateViewer() override { Call(28); }
  void ReqNotifyViewer() override { Call(29); }
  void ReqNotifyGuiPanel() override { Call(30); }
  void ReqUpdateMainWindow() override { Call(31); }
  void ReqGuiData() override { Call(32); }
  void ReqGetStationInfo() override { Call(33); }
  void ReqControlSoft() override { Call(34); }
  void ReqSeqStartScan() override { Call(35); }
  void ReqQueryAccessRight() override { Call(36); }
  void ReqQueryLockRight() override { Call(37); }
  void ReqStationName() override { Call(38); }
  void ReqComment() override { Call(39); }
  void ReqViewerParam() override { Call(40); }
  void ReqViewerProperty() override { Call(41); }
  void RplyStart() override { Call(42); }
  void RplyStop() override { Call(43); }
  void RplyMeasure() override { Call(44); }
  void RplyStationEvent() override { Call(45); }
  void RplyExecDefault() override { Call(46); }
  void RplyAccessRight() override { Call(47); }
  void RplyLockRight() override { Call(48); }
  void RplyWaveData() override { Call(49); }
  void RplyModuleInternalInfo() override { Call(50); }
  void RplyRawWaveData() override { Call(51); }
  void RplyZoomWaveData() override { Call(52); }
  void RplyAcqSequence() override { Call(53); }
  void RplyQuerySequence() override { Call(54); }
  void RplyStationName() override { Call(55); }
  void RplyStationComment() override { Call(56); }
  void RplyGetBusInfo() override { Call(57); }
  void RplySetBusInfo() override { Call(58); }
  void RplyWaveInfo() override { Call(59); }
  void RplyUpdateGUI() override { Call(60); }
  void RplyGUIInfo() override { Call(61); }

private:
  void Call(int32_t position) {
    const std::size_t index = static_cast<std::size_t>(position) - 1;
    if (index >= Handlers.size() || Handlers[index] == nullptr)
      return;
    if (Handlers[index](User, position, reinterpret_cast<uint8_t*>(Packet), Length) != 0) {
      Stopped = true;
      throw DispatchStopped{};
    }
  }

  std::vector<zdz_packet_handler> Handlers;
  void* User;
  uint32_t Length = 0;
  bool Stopped = false;
  bool Busy = false;
};

HandleTable<CHandlerInterpreter>& Interpreters() noexcept {
  static HandleTable<CHandlerInterpreter> interpreters;
  return interpreters;
}

/// call(interpreter) for a live handle that is not dispatching; ZDZ_E_HANDLE or ZDZ_E_ORDER.
template <typename CallT>
int32_t OnIdleInterpreter(const zdz_interpreter* handle, CallT call) noexcept {
  if (handle == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&]() -> int32_t {
    CHandlerInterpreter* interpreter = Interpreters().Find(handle);
    if (interpreter == nullptr)
      return ZDZ_E_HANDLE;
    return interpreter->IsBusy() ? ZDZ_E_ORDER : call(*interpreter);
  });
}
} // namespace

int32_t zdz_handler_name(int32_t position, const char** name) {
  if (name == nullptr || position < 1 || position > ZDZ_HANDLER_COUNT)
    return Refused(ZDZ_E_ARGUMENT);
  *name = ModuleCntlDispatch::HandlerNames[static_cast<std::size_t>(position)];
  return ZDZ_OK;
}

int32_t zdz_interpreter_create(const zdz_packet_handler* handlers, uint32_t count, void* user,
                               zdz_interpreter** interpreter) {
  if (interpreter == nullptr || count > ZDZ_HANDLER_COUNT || (handlers == nullptr && count != 0))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    auto made = std::make_unique<CHandlerInterpreter>(handlers, count, user);
    *interpreter = Interpreters().Add<zdz_interpreter>(made);
    return ZDZ_OK;
  });
}

int32_t zdz_interpret(zdz_interpreter* interpreter, uint8_t* packet, uint32_t length) {
  if (packet == nullptr || length < sizeof(_ModulePacket))
    return Refused(ZDZ_E_ARGUMENT);
  return OnIdleInterpreter(interpreter, [&](CHandlerInterpreter& idle) { return idle.Dispatch(packet, length); });
}

int32_t zdz_interpreter_release(zdz_interpreter* interpreter) {
  return OnIdleInterpreter(interpreter, [&](CHandlerInterpreter&) {
    delete Interpreters().Take(interpreter);
    return ZDZ_OK;
  });
}
