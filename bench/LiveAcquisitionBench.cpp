// Live acquisitions on the wall clock: how late each announcement comes behind its due time, beside
// a plain thread's lateness behind the same due times, and the simulation's processor time per
// acquisition beside filling the same samples with the same formula in a plain loop.
#include "bench/PairTiming.h"
#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/MessageWords.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>
#include <zodavudaz/sim/SimControl.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <numbers>
#include <thread>
#include <vector>

namespace {
using SteadyClock = std::chrono::steady_clock;

constexpr WORD Modules = 16;
constexpr double AcquisitionsPerSecond = 100;
constexpr double Period = Modules / AcquisitionsPerSecond;
constexpr DWORD Points = 10000;
constexpr double RunSeconds = 3;
const SimWave Sine{SimWaveShape::Sine, 1000, 50, 0};

/// Tick n of the run: module m's acquisition k is due at tick m + k x Modules, since module m
/// starts at tick m; the due times of all modules lie evenly apart, as at a steady 100 per second.
SteadyClock::time_point DueTime(SteadyClock::time_point start, DWORD tick) {
  return start +
         std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(tick * Period / Modules));
}

/// What the receiver notes of each announcement; a reader thread then reads the acquisition whole,
/// as a viewer would, off the simulation's thread.
struct Heard {
  SteadyClock::time_point Start;
  std::mutex Mutex;
  std::condition_variable Arrived;
  std::vector<WORD> ToRead;
  bool Done = false;
  std::vector<double> DelaysMs;
  /// The simulation's thread's processor time at each announcement, and the reads' in all.
  std::vector<double> AnnounceCpuNs;
  double ReadCpuNs = 0;
  std::vector<CFeModule*> Frontends;
};

void Receive(const _ModulePacket* packet, void* context) {
  const auto now = SteadyClock::now();
  Heard& heard = *static_cast<Heard*>(context);
  SimAcquisition acquisition;
  if (!SimReadAcqComplete(packet, acquisition))
    return;
  const auto due = DueTime(heard.Start, acquisition.Module + acquisition.Number * Modules);
  const std::lock_guard<std::mutex> lock(heard.Mutex);
  heard.DelaysMs.push_back(std::chrono::duration<double, std::milli>(now - due).count());
  heard.AnnounceCpuNs.push_back(ThreadNanoseconds());
  heard.ToRead.push_back(acquisition.Module);
  heard.Arrived.notify_one();
}

void ReadAnnounced(Heard& heard) {
  std::vector<BYTE> samples(Points * 2 * sizeof(std::int16_t));
  std::unique_lock<std::mutex> lock(heard.Mutex);
  for (;;) {
    heard.Arrived.wait(lock, [&] { return heard.Done || !heard.ToRead.empty(); });
    if (heard.ToRead.empty())
      return;
    const WORD module = heard.ToRead.front();
    heard.ToRead.erase(heard.ToRead.begin());
    lock.unlock();
    const double start = ThreadNanoseconds();
    LONG input[6] = {0, 0, 0, 0, -1, 0};
    WORD type = 0;
    DWORD count = 0;
    heard.Frontends[module]->Query(10, 0x40C, input, 0x20, 6, samples.data(), &type, &count,
                                   static_cast<DWORD>(samples.size()), nullptr, 0);
    lock.lock();
    heard.ReadCpuNs += ThreadNanoseconds() - start;
  }
}

/// A plain thread's lateness behind the same due times.
std::vector<double> SleepUntilLateness(SteadyClock::time_point start) {
  std::vector<double> lateMs;
  for (DWORD tick = Modules; tick * Period / Modules <= RunSeconds; ++tick) {
    const auto due = DueTime(start, tick);
    std::this_thread::sleep_until(due);
    lateMs.push_back(std::chrono::duration<double, std::milli>(SteadyClock::now() - due).count());
  }
  return lateMs;
}

double Percentile(std::vector<double> values, double part) {
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(part * static_cast<double>(values.size() - 1))];
}

void Post(WORD module, DWORD startFlag) {
  auto* record = new _SeqMsgParam;
  record->MsgKind = 2;
  record->StationId = 1;
  record->ModuleId = module;
  record->StartFlag = startFlag;
  GetMgr()->PostSeqThread(SeqMsgStartStop, 0, AddressLParam(record));
}

/// Sixteen continuous modules, 100 acquisitions per second in all, 10,000 points each: the
/// announce delay (median, 99th percentile) over a plain thread's sleep_until lateness.
void BM_LiveAnnounceDelay(benchmark::State& state) {
  for (auto _ : state) {
    SimReset();
    Heard heard;
    for (WORD module = 0; module < Modules; ++module) {
      SimModuleConfig config;
      config.ModuleId = module;
      config.Channels = 1;
      config.PointNum = Points;
      config.Waves = {Sine};
      config.Acquisition = SimAcqMode::Continuous;
      config.Period = Period;
      heard.Frontends.push_back(SimCreateFrontend(config));
    }
    const DWORD receiver = SimAddReceiver(Receive, &heard);
    std::thread reader(ReadAnnounced, std::ref(heard));
    heard.Start = SteadyClock::now();
    std::vector<double> baseline;
    std::thread plain([&] { baseline = SleepUntilLateness(heard.Start); });
    for (WORD module = 0; module < Modules; ++module) {
      std::this_thread::sleep_until(DueTime(heard.Start, module));
      Post(module, 1);
    }
    plain.join();
    for (WORD module = 0; module < Modules; ++module)
      Post(module, 0);
    SimAdvance(0);
    SimRemoveReceiver(receiver);
    {
      const std::lock_guard<std::mutex> lock(heard.Mutex);
      heard.Done = true;
      heard.Arrived.notify_one();
    }
    reader.join();
    const std::lock_guard<std::mutex> lock(heard.Mutex);
    state.counters["acquisitions"] = static_cast<double>(heard.DelaysMs.size());
    state.counters["delay_median_ms"] = Percentile(heard.DelaysMs, 0.5);
    state.counters["delay_p99_ms"] = Percentile(heard.DelaysMs, 0.99);
    state.counters["baseline_median_ms"] = Percentile(baseline, 0.5);
    state.counters["baseline_p99_ms"] = Percentile(baseline, 0.99);
    state.counters["over_median_ms"] = Percentile(heard.DelaysMs, 0.5) - Percentile(baseline, 0.5);
    state.counters["over_p99_ms"] = Percentile(heard.DelaysMs, 0.99) - Percentile(baseline, 0.99);
    const double acquisitions = static_cast<double>(std::max<std::size_t>(heard.AnnounceCpuNs.size(), 2));
    state.counters["announce_cpu_us"] =
        (heard.AnnounceCpuNs.back() - heard.AnnounceCpuNs.front()) / 1000 / (acquisitions - 1);
    state.counters["read_cpu_us"] = heard.ReadCpuNs / 1000 / acquisitions;
  }
  SimReset();
}
BENCHMARK(BM_LiveAnnounceDelay)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

/// The same samples with the same formula, filled in a plain loop: the processor time of one
/// acquisition's 10,000 points.
void BM_LiveAnnounceDelayBaseline(benchmark::State& state) {
  std::vector<std::int16_t> samples(2 * Points);
  std::uint64_t first = 0;
  const double start = ThreadNanoseconds();
  TimeLoop(state, [&] {
    for (DWORD point = 0; point < Points; ++point) {
      const long double r = std::fmod(static_cast<long double>(Sine.Frequency) * (first + point), 1000.0L);
      const auto value = static_cast<std::int16_t>(
          static_cast<double>(Sine.Offset + static_cast<long double>(Sine.Amplitude) *
                                                std::sin(2 * std::numbers::pi * static_cast<double>(r / 1000))));
      samples[2 * point] = value;
      samples[2 * point + 1] = value;
    }
    first += Points;
    benchmark::DoNotOptimize(samples.data());
  });
  state.counters["fill_us_per_acquisition"] =
      (ThreadNanoseconds() - start) / 1000 /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}
BENCHMARK(BM_LiveAnnounceDelayBaseline)->Unit(benchmark::kMicrosecond);
} // namespace
