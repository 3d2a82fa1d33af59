// The simulated communication manager: its shared reply record and its sequence and GUI threads.
#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>
#include <zodavudaz/sim/CommLayerAccess.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimLive.h>
#include <zodavudaz/sim/SimParts.h>
#include <zodavudaz/sim/SimThread.h>

#include <atomic>

namespace {
struct ManagerState {
  ManagerState() noexcept { CommLayerAccess::RestartManager(Manager); }

  CManager Manager;
  CRplySync SharedSync;
  SimThread SeqThread{true};
  SimThread GuiThread{false};
  std::atomic<bool> RefusePosts = false;
};

ManagerState State;

WORD Post(SimThread& thread, DWORD message, MsgWParam wParam, MsgLParam lParam) noexcept {
  if (State.RefusePosts || !thread.PostThreadMessage(message, wParam, lParam))
    return SimPostRefused;
  return PostedOk;
}
} // namespace

CRplySync::CRplySync() noexcept
    : TimeOut(DefaultTimeOut), SignalMode(0), SyncMode(SyncModeSynchronous), CommSyncMode(0), AsyncMessage(0),
      ReleaseMode(0), ErrMsgMode(1), OptimizeBufMode(0), Thread(nullptr), RplyStationAddr(-1), StationId(0),
      ModuleId(0), CntlId(0), RplyCntlId(0), ProxyStationId(0), Marker(ValidMarker) {}

CManager* GetMgr() noexcept { return &State.Manager; }

CRplySync* CManager::GetRplySync() noexcept { return &State.SharedSync; }

WORD CManager::PostSeqThread(DWORD message, MsgWParam wParam, MsgLParam lParam) noexcept {
  const WORD result = Post(State.SeqThread, message, wParam, lParam);
  if (result == PostedOk && message == SeqMsgStartStop)
    SimLiveWake();
  return result;
}

WORD CManager::PostGUIThread(DWORD message, MsgWParam wParam, MsgLParam lParam) noexcept {
  return Post(State.GuiThread, message, wParam, lParam);
}

/// The sequence manager's sequence thread is the communication manager's.
CZoThread* SimSeqThread() noexcept { return &State.SeqThread; }

void ResetManager() noexcept {
  CommLayerAccess::RestartManager(State.Manager);
  State.SharedSync = CRplySync();
  State.SeqThread.Reset();
  State.GuiThread.Reset();
  State.RefusePosts = false;
}

void SimSetLanguage(DWORD language) noexcept { CommLayerAccess::SetLanguage(State.Manager, language); }

void SimSetMultiClient(BOOL multiClient) noexcept { CommLayerAccess::SetMultiClient(State.Manager, multiClient); }

void SimRefusePosts(bool refuse) noexcept { State.RefusePosts = refuse; }

std::vector<SimMessage> SimSeqThreadMessages() noexcept { return State.SeqThread.Messages(); }

std::vector<SimMessage> SimGuiThreadMessages() noexcept { return State.GuiThread.Messages(); }

DWORD SimTimeOutOf(const CRplySync& sync) noexcept { return CommLayerAccess::TimeOut(sync); }

int SimErrMsgModeOf(const CRplySync& sync) noexcept { return CommLayerAccess::ErrMsgMode(sync); }
