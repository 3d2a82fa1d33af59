// The simulated sequence library: whether sequences run, and the message records it fills.
#include <zodavudaz/packets/CZosManager.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimLive.h>
#include <zodavudaz/sim/SimParts.h>

#include <atomic>
#include <map>
#include <mutex>
#include <new>
#include <utility>

namespace {
constexpr WORD CntlSeqInfo = 0x400;

struct Answer {
  WORD Result;
  _SeqMsgParam Record;
};

struct SequenceState {
  SequenceState() noexcept { Manager.SetSeqThread(SimSeqThread()); }

  CZosManager Manager;
  /// Answers of IsSeqRun scripted with SimSetSeqRun, before the live sequences'.
  std::mutex ScriptMutex;
  std::map<std::pair<WORD, WORD>, bool> Running;
  std::map<std::pair<WORD, WORD>, Answer> Answers;
};

SequenceState State;
} // namespace

/// The sequence library's way to the manager's fields.
struct SeqLayerAccess {
  static void SetMeasEvent(CZosManager& manager, bool measuring) noexcept {
    std::atomic_ref<int>(manager.MeasEvent).store(measuring ? 1 : 0);
  }
};

CZosManager* ZosGetMgr() noexcept { return &State.Manager; }

void SetMeasEvent(bool measuring) noexcept { SeqLayerAccess::SetMeasEvent(State.Manager, measuring); }

BOOL CZosManager::IsSeqRun(WORD station, WORD id) noexcept {
  {
    const std::lock_guard<std::mutex> lock(State.ScriptMutex);
    if (const auto scripted = State.Running.find({station, id}); scripted != State.Running.end())
      return scripted->second ? TRUE : FALSE;
  }
  return SimLiveRuns(station, id) ? TRUE : FALSE;
}

WORD CZosManager::GetSeqMsgParam(WORD station, WORD slot, _SeqMsgParam* param) noexcept {
  if (param == nullptr)
    return SimBadRequest;
  const auto answer = State.Answers.find({station, slot});
  if (answer != State.Answers.end()) {
    *param = answer->second.Record;
    return answer->second.Result;
  }
  param->StationId = station;
  param->ModuleId = slot;
  param->CntlId = CntlSeqInfo;
  param->ConnectNum = 1;
  return 0;
}

void ResetSequence() noexcept {
  State.Manager.~CZosManager();
  new (&State.Manager) CZosManager();
  State.Manager.SetSeqThread(SimSeqThread());
  const std::lock_guard<std::mutex> lock(State.ScriptMutex);
  State.Running.clear();
  State.Answers.clear();
}

void SimSetSeqRun(WORD station, WORD frontend, bool runs) noexcept {
  try {
    const std::lock_guard<std::mutex> lock(State.ScriptMutex);
    State.Running[{station, frontend}] = runs;
  } catch (const std::bad_alloc&) {
  }
}

void SimSetSeqMsgParam(WORD station, WORD slot, WORD result, const _SeqMsgParam& answer) noexcept {
  try {
    State.Answers[{station, slot}] = Answer{result, answer};
  } catch (const std::bad_alloc&) {
  }
}
