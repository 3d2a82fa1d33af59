// Timing a benchmark beside its baseline, so that the pair's ratio can be reported.
#ifndef ZODAVUDAZ_BENCH_PAIRTIMING_H
#define ZODAVUDAZ_BENCH_PAIRTIMING_H

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

/// Runs body once per benchmark iteration; nanoseconds per iteration.
template <typename BodyT>
double TimeLoop(benchmark::State& state, BodyT body) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    body();
  const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
  return state.iterations() == 0 ? 0 : elapsed.count() / static_cast<double>(state.iterations());
}

/// Reports nanoseconds against its baseline's as the counter "ratio"; the baseline runs first.
inline void ReportRatio(benchmark::State& state, double nanoseconds, double baselineNanoseconds) {
  if (baselineNanoseconds > 0)
    state.counters["ratio"] = nanoseconds / baselineNanoseconds;
}

/// Processor time the calling thread has used, in nanoseconds: what a call costs, whatever else the
/// machine runs meanwhile.
inline double ThreadNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

/// Runs baseline and body in turns, once each per benchmark iteration (which goes first alternates),
/// and reports body's processor time against baseline's as the counter "ratio": on a machine whose
/// load drifts, neither sees a load the other does not. Each runs once before, so that neither pays
/// for the first call's allocations. Nanoseconds of body per iteration.
template <typename BaselineT, typename BodyT>
double TimeInterleaved(benchmark::State& state, BaselineT baseline, BodyT body) {
  baseline();
  body();
  double baselineTime = 0;
  double bodyTime = 0;
  bool bodyFirst = false;
  for (auto _ : state) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool runBody = (turn == 0) == bodyFirst;
      const double start = ThreadNanoseconds();
      runBody ? body() : baseline();
      (runBody ? bodyTime : baselineTime) += ThreadNanoseconds() - start;
    }
    bodyFirst = !bodyFirst;
  }
  const double iterations = state.iterations() == 0 ? 1 : static_cast<double>(state.iterations());
  ReportRatio(state, bodyTime / iterations, baselineTime / iterations);
  return bodyTime / iterations;
}

#endif
