// The simulated sequence library: whether sequences run, and the message records it fills.
#include <zodavudaz/packets/CZosManager.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimParts.h>

#include <map>
#include <new>
#include <set>
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
  std::set<std::pair<WORD, WORD>> Running;
  std::map<std::pair<WORD, WORD>, Answer> Answers;
};

SequenceState State;
} // namespace

CZosManager* ZosGetMgr() noexcept { return &State.Manager; }

BOOL CZosManager::IsSeqRun(WORD station, WORD frontend) noexcept {
  return State.Running.count({station, frontend}) != 0;
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
  State.Running.clear();
  State.Answers.clear();
}

void SimSetSeqRun(WORD station, WORD frontend, bool runs) noexcept {
  try {
    if (runs)
      State.Running.insert({station, frontend});
    else
      State.Running.erase({station, frontend});
  } catch (const std::bad_alloc&) {
  }
}

void SimSetSeqMsgParam(WORD station, WORD slot, WORD result, const _SeqMsgParam& answer) noexcept {
  try {
    State.Answers[{station, slot}] = Answer{result, answer};
  } catch (const std::bad_alloc&) {
  }
}
