// The simulated communication library's module access without a frontend, its per-thread reply
// records, value conversion and error box.
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimLive.h>
#include <zodavudaz/sim/SimParts.h>
#include <zodavudaz/sim/SimRequest.h>
#include <zodavudaz/sim/SimThread.h>

#include <cstdint>
#include <map>
#include <new>

namespace {
struct DirectState {
  std::map<const CWinThread*, CRplySync> ThreadSyncs;
  std::vector<SimErrorBox> ErrorBoxes;
  std::map<DWORD, WORD> ReleaseFailures;
  std::vector<SimReleasedEvent> ReleasedEvents;
};

DirectState State;

SimTarget DirectTarget(WORD station, WORD slot) noexcept {
  return SimTarget{nullptr, FindSimModule(station, slot), slot};
}

/// Appends value to list; a record lost to a full memory is only a record.
template <typename T>
void Note(std::vector<T>& list, const T& value) noexcept {
  try {
    list.push_back(value);
  } catch (const std::bad_alloc&) {
  }
}
} // namespace

WORD MoSyncExec(WORD station, WORD slot, WORD cntl, void* data, WORD type, DWORD count) noexcept {
  return SimExchange(DirectTarget(station, slot), SimCall{CmdGroupReqExec, cntl, data, type, count, nullptr, 0},
                     nullptr);
}

WORD MoSettingQuery(WORD station, WORD slot, WORD cntl, void* out, WORD* outType, DWORD* outCount,
                    DWORD capacity) noexcept {
  return SimExchangeInto(DirectTarget(station, slot), SimCall{CmdGroupQuery, cntl, nullptr, 0xFF, 0, nullptr, 0}, out,
                         capacity, outType, outCount);
}

WORD MoteSetGet(WORD station, WORD slot, WORD cmd, WORD cntl, void* in, WORD inType, DWORD inCount, void* out,
                DWORD capacity, WORD* outType, DWORD* outCount) noexcept {
  return SimExchangeInto(DirectTarget(station, slot), SimCall{cmd, cntl, in, inType, inCount, nullptr, 0}, out,
                         capacity, outType, outCount);
}

WORD MoteReleaseEvent(WORD station, WORD slot, DWORD eventId) noexcept {
  const auto failure = State.ReleaseFailures.find(eventId);
  const WORD result = failure == State.ReleaseFailures.end() ? WORD{0} : failure->second;
  Note(State.ReleasedEvents, SimReleasedEvent{station, slot, eventId, result});
  return result;
}

// The simulation's own thread is the sequence manager's thread.
CWinThread* MoGetThread() noexcept {
  if (SimOnLiveThread())
    return SimSeqThread();
  thread_local SimThread callingThread(false);
  return &callingThread;
}

CRplySync* GetSyncInfo(CWinThread* thread) noexcept {
  if (thread == nullptr)
    return nullptr;
  try {
    return &State.ThreadSyncs[thread];
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

CRplySync* SetRplySyncForQuery(WORD station, WORD slot, WORD cntl) noexcept {
  CRplySync* sync = GetSyncInfo(MoGetThread());
  if (sync != nullptr) {
    sync->SetStationId(station);
    sync->SetModuleId(slot);
    sync->SetCntlId(cntl);
    sync->SetRplyCntlId(cntl);
  }
  return sync;
}

WORD GetChCntlIdOfst(WORD connectNo) noexcept { return MakeCntl(0, connectNo); }

double UnionToDouble(WORD type, void* value) noexcept {
  if (value == nullptr)
    return 0.0;
  switch (type) {
  case 0x00:
  case 0x01: return LoadWire<BYTE>(value, 0);
  case 0x10:
  case 0x11: return LoadWire<std::int16_t>(value, 0);
  case 0x20:
  case 0x21: return LoadWire<std::int32_t>(value, 0);
  case 0x22: return LoadWire<float>(value, 0);
  case 0x32: return LoadWire<double>(value, 0);
  default: return 0.0;
  }
}

void ErrorBox1(DWORD messageNo, DWORD zero) noexcept { Note(State.ErrorBoxes, SimErrorBox{messageNo, zero}); }

void ResetDirectAccess() noexcept { State = DirectState(); }

std::vector<SimErrorBox> SimErrorBoxes() noexcept {
  try {
    return State.ErrorBoxes;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

void SimFailReleaseEvent(DWORD eventId, WORD code) noexcept {
  try {
    State.ReleaseFailures[eventId] = code;
  } catch (const std::bad_alloc&) {
  }
}

std::vector<SimReleasedEvent> SimReleasedEvents() noexcept {
  try {
    return State.ReleasedEvents;
  } catch (const std::bad_alloc&) {
    return {};
  }
}
