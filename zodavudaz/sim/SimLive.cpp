#include <zodavudaz/sim/SimLive.h>

#include <zodavudaz/sim/SimParts.h>
#include <zodavudaz/sim/SimReceivers.h>
#include <zodavudaz/sim/SimThread.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace {
using Seconds = std::chrono::duration<double>;
using WallClock = std::chrono::system_clock;
using SteadyClock = std::chrono::steady_clock;

/// The time stamp at the stepped clock's 0.
constexpr double SteppedEpoch = 1700000000;
constexpr WORD U32Type = 0x21;

DWORD KeyOf(WORD station, WORD id) noexcept { return (DWORD{station} << 16) | id; }

double PeriodOf(const SimModuleConfig& config) noexcept {
  if (config.Period > 0)
    return config.Period;
  return std::clamp(config.PointNum * SimSampleInterval, SimShortestPeriod, SimLongestPeriod);
}

/// The sequence of one (station, id) and the acquisitions it completed since its last start.
struct Sequence {
  SimAcqMode Mode = SimAcqMode::Still;
  double Period = 1;
  DWORD PointNum = 0;
  bool Running = false;
  /// Clock seconds at the start, and the time stamp then.
  double Start = 0;
  double StampAtStart = 0;
  DWORD Number = 0;
  DWORD TimeStamp = 0;
  std::uint64_t Announced = 0;
  /// The signal point where the sequence stopped.
  std::uint64_t StoppedPoint = 0;

  bool Acquires() const noexcept { return Running && Mode != SimAcqMode::Still; }
  double NextDue() const noexcept { return Start + (Number + 1.0) * Period; }
  std::uint64_t PointAt(double now) const noexcept {
    if (!Running)
      return StoppedPoint;
    return static_cast<std::uint64_t>(std::max(0.0, (now - Start) / Period) * PointNum);
  }
};

struct LiveState {
  std::mutex Mutex;
  std::condition_variable Wake;
  std::condition_variable Settled;
  std::condition_variable Announced;
  std::thread Worker;
  bool WorkerRuns = false;
  /// Read without the lock between two receivers' calls.
  std::atomic<bool> Quit = false;
  /// Wake-ups asked for, and the last one the thread finished acting on.
  std::uint64_t Asked = 0;
  std::uint64_t Done = 0;
  bool Stepped = false;
  double SteppedNow = 0;
  SteadyClock::time_point Origin = SteadyClock::now();
  std::map<DWORD, Sequence> Sequences;
  SimReceivers Receivers;
};

LiveState State;

thread_local bool OnLiveThread = false;

double Now() noexcept { return State.Stepped ? State.SteppedNow : Seconds(SteadyClock::now() - State.Origin).count(); }

double StampNow() noexcept {
  return State.Stepped ? SteppedEpoch + State.SteppedNow : Seconds(WallClock::now().time_since_epoch()).count();
}

void UpdateMeasEvent() noexcept {
  SetMeasEvent(std::any_of(State.Sequences.begin(), State.Sequences.end(),
                           [](const auto& each) { return each.second.Running; }));
}

void StartSequence(WORD station, WORD id) {
  Sequence& sequence = State.Sequences[KeyOf(station, id)];
  if (sequence.Running)
    return;
  if (const SimModule* module = FindSimModule(station, id)) {
    sequence.Mode = module->Config().Acquisition;
    sequence.Period = PeriodOf(module->Config());
    sequence.PointNum = module->Config().PointNum;
  }
  sequence.Running = true;
  sequence.Start = Now();
  sequence.StampAtStart = StampNow();
  sequence.Number = 0;
}

void StopSequence(Sequence& sequence, double at) noexcept {
  if (!sequence.Running)
    return;
  sequence.StoppedPoint = sequence.PointAt(at);
  sequence.Running = false;
}

void Act(const SimMessage& message) {
  const WORD station = message.Record.StationId;
  const WORD id = message.Record.ModuleId;
  if (message.Record.StartFlag != 0) {
    StartSequence(station, id);
  } else if (auto found = State.Sequences.find(KeyOf(station, id)); found != State.Sequences.end()) {
    StopSequence(found->second, Now());
  }
  UpdateMeasEvent();
}

/// The "acquisition complete" packet of acquisition.
void WriteAnnouncement(const SimAcquisition& acquisition, BYTE* bytes) noexcept {
  std::fill(bytes, bytes + SimAcqCompleteBytes, BYTE{0});
  CEndianModulePacket packet(reinterpret_cast<_ModulePacket*>(bytes));
  const DWORD dataBytes = SimAcqCompleteBytes - sizeof(_ModulePacket);
  packet.SetSize(dataBytes);
  packet.SetAllBytes(1, dataBytes);
  packet.SetCurPacketNo(1);
  packet.SetAllPacket(1);
  packet.SetModuleId(acquisition.Module);
  packet.SetCmdId(SimAcqCompleteCmdId);
  packet.SetCntlId(SimAcqCompleteCntlId);
  packet.SetParamType(U32Type);
  packet.SetParamNum(4);
  const DWORD values[] = {acquisition.Station, acquisition.Module, acquisition.Number, acquisition.TimeStamp};
  for (WORD index = 0; index < 4; ++index)
    packet.SetDataDW(index, values[index]);
}

/// Completes the acquisition due first by now, if any, and writes its announcement.
bool CompleteNextDue(BYTE* announcement) noexcept {
  const double now = Now();
  auto due = State.Sequences.end();
  for (auto each = State.Sequences.begin(); each != State.Sequences.end(); ++each)
    if (each->second.Acquires() && each->second.NextDue() <= now &&
        (due == State.Sequences.end() || each->second.NextDue() < due->second.NextDue()))
      due = each;
  if (due == State.Sequences.end())
    return false;
  Sequence& sequence = due->second;
  ++sequence.Number;
  ++sequence.Announced;
  sequence.TimeStamp = static_cast<DWORD>(std::floor(sequence.StampAtStart + sequence.Number * sequence.Period));
  if (sequence.Mode == SimAcqMode::Single) {
    StopSequence(sequence, sequence.Start + sequence.Period);
    UpdateMeasEvent();
  }
  WriteAnnouncement({static_cast<WORD>(due->first >> 16), static_cast<WORD>(due->first & 0xFFFF), sequence.Number,
                     sequence.TimeStamp, sequence.Announced},
                    announcement);
  return true;
}

double NextDueTime() noexcept {
  double next = std::numeric_limits<double>::infinity();
  for (const auto& [key, sequence] : State.Sequences)
    if (sequence.Acquires())
      next = std::min(next, sequence.NextDue());
  return next;
}

void Loop() noexcept {
  OnLiveThread = true;
  SimThread& seqThread = *static_cast<SimThread*>(SimSeqThread());
  BYTE announcement[SimAcqCompleteBytes];
  std::unique_lock<std::mutex> lock(State.Mutex);
  while (!State.Quit) {
    const std::uint64_t asked = State.Asked;
    lock.unlock();
    const std::vector<SimMessage> actions = seqThread.TakeActions();
    lock.lock();
    try {
      for (const SimMessage& message : actions)
        Act(message);
    } catch (const std::bad_alloc&) {
    }
    if (CompleteNextDue(announcement)) {
      State.Announced.notify_all();
      lock.unlock();
      State.Receivers.Announce(reinterpret_cast<const _ModulePacket*>(announcement), State.Quit);
      lock.lock();
      continue;
    }
    State.Done = asked;
    State.Settled.notify_all();
    if (State.Asked != asked || State.Quit)
      continue;
    const double next = NextDueTime();
    if (State.Stepped || std::isinf(next))
      State.Wake.wait(lock);
    else
      State.Wake.wait_until(lock, State.Origin + std::chrono::duration_cast<SteadyClock::duration>(Seconds(next)));
  }
  State.WorkerRuns = false;
  State.Settled.notify_all();
}

/// Ends and joins the thread; never the calling one.
void JoinEnded(std::unique_lock<std::mutex>& lock) noexcept {
  if (!State.Worker.joinable() || OnLiveThread)
    return;
  State.Quit = true;
  State.Wake.notify_all();
  std::thread ended = std::move(State.Worker);
  lock.unlock();
  ended.join();
  lock.lock();
  State.Quit = false;
}

/// Waits until the thread has acted on everything asked of it so far.
void Settle(std::unique_lock<std::mutex>& lock) noexcept {
  if (OnLiveThread || !State.WorkerRuns)
    return;
  const std::uint64_t target = ++State.Asked;
  State.Wake.notify_all();
  State.Settled.wait(lock, [target] { return State.Done >= target || !State.WorkerRuns; });
}
} // namespace

// A thread told to end that still runs goes on instead: joining it here could wait for a receiver
// that waits for a lock the poster holds.
void SimLiveWake() noexcept {
  std::unique_lock<std::mutex> lock(State.Mutex);
  State.Quit = false;
  if (!State.WorkerRuns) {
    JoinEnded(lock);
    try {
      State.Worker = std::thread(Loop);
      State.WorkerRuns = true;
    } catch (const std::system_error&) {
      return;
    }
  }
  ++State.Asked;
  State.Wake.notify_all();
}

SimLiveView SimLiveViewOf(const SimModuleConfig& config) noexcept {
  SimLiveView view;
  view.Live = config.Acquisition != SimAcqMode::Still;
  const std::lock_guard<std::mutex> lock(State.Mutex);
  const auto found = State.Sequences.find(KeyOf(config.Station, config.ModuleId));
  if (!view.Live || found == State.Sequences.end())
    return view;
  const Sequence& sequence = found->second;
  view.Number = sequence.Number;
  view.TimeStamp = sequence.TimeStamp;
  view.FirstPoint = sequence.Number == 0 ? 0 : (sequence.Number - 1ull) * sequence.PointNum;
  view.CurrentPoint = sequence.PointAt(Now());
  return view;
}

bool SimOnLiveThread() noexcept { return OnLiveThread; }

bool SimLiveRuns(WORD station, WORD id) noexcept {
  const std::lock_guard<std::mutex> lock(State.Mutex);
  const auto found = State.Sequences.find(KeyOf(station, id));
  return found != State.Sequences.end() && found->second.Running;
}

void SimLiveStop(WORD station, WORD module) noexcept {
  const std::lock_guard<std::mutex> lock(State.Mutex);
  if (auto found = State.Sequences.find(KeyOf(station, module)); found != State.Sequences.end()) {
    StopSequence(found->second, Now());
    UpdateMeasEvent();
  }
}

void SimLiveEnd(bool wait) noexcept {
  std::unique_lock<std::mutex> lock(State.Mutex);
  State.Quit = true;
  State.Wake.notify_all();
  if (wait)
    JoinEnded(lock);
}

void ResetLive() noexcept {
  SimLiveEnd(true);
  State.Receivers.Clear();
  const std::lock_guard<std::mutex> lock(State.Mutex);
  State.Sequences.clear();
  State.Stepped = false;
  State.SteppedNow = 0;
  UpdateMeasEvent();
}

bool SimReadAcqComplete(const _ModulePacket* packet, SimAcquisition& acquisition) noexcept {
  if (packet == nullptr)
    return false;
  CEndianModulePacket read(const_cast<_ModulePacket*>(packet));
  if (read.GetCmdId() != SimAcqCompleteCmdId || MaskedCntlIdOf(read.GetCntl()) != SimAcqCompleteCntlId ||
      read.GetParamType() != U32Type || read.GetParamNum() < 4 || read.GetDataSize() < 4 * sizeof(DWORD))
    return false;
  acquisition.Station = static_cast<WORD>(read.GetDataDW(0));
  acquisition.Module = static_cast<WORD>(read.GetDataDW(1));
  acquisition.Number = read.GetDataDW(2);
  acquisition.TimeStamp = read.GetDataDW(3);
  return true;
}

DWORD SimAddReceiver(SimReceiver receiver, void* context) noexcept { return State.Receivers.Add(receiver, context); }

bool SimRemoveReceiver(DWORD id) noexcept { return State.Receivers.Remove(id); }

bool SimInsideReceiver() noexcept { return InsideReceiver(); }

SimAcquisition SimLatestAcquisition(WORD station, WORD module) noexcept {
  const std::lock_guard<std::mutex> lock(State.Mutex);
  SimAcquisition latest;
  if (auto found = State.Sequences.find(KeyOf(station, module)); found != State.Sequences.end())
    latest = {station, module, found->second.Number, found->second.TimeStamp, found->second.Announced};
  return latest;
}

WORD SimWaitForAcquisition(WORD station, WORD module, std::uint64_t seen, DWORD timeOutMs,
                           SimAcquisition& latest) noexcept {
  if (InsideReceiver() || OnLiveThread)
    return SimOrderError;
  if (FindSimModule(station, module) == nullptr)
    return SimNoModule;
  std::unique_lock<std::mutex> lock(State.Mutex);
  const auto announced = [&] {
    const auto found = State.Sequences.find(KeyOf(station, module));
    return found != State.Sequences.end() && found->second.Announced > seen;
  };
  if (!State.Announced.wait_for(lock, std::chrono::milliseconds(timeOutMs), announced))
    return SimTimedOut;
  const Sequence& sequence = State.Sequences.find(KeyOf(station, module))->second;
  latest = {station, module, sequence.Number, sequence.TimeStamp, sequence.Announced};
  return 0;
}

void SimSetSteppedClock(bool stepped) noexcept {
  const std::lock_guard<std::mutex> lock(State.Mutex);
  State.Stepped = stepped;
  State.SteppedNow = 0;
}

void SimAdvance(double seconds) noexcept {
  std::unique_lock<std::mutex> lock(State.Mutex);
  // What was posted before the call acts at the time it was posted.
  Settle(lock);
  if (State.Stepped && seconds > 0 && std::isfinite(seconds))
    State.SteppedNow += seconds;
  Settle(lock);
}
