// Timing a benchmark beside its baseline, so that the pair's ratio can be reported.
#ifndef ZODAVUDAZ_BENCH_PAIRTIMING_H
#define ZODAVUDAZ_BENCH_PAIRTIMING_H

#include <benchmark/benchmark.h>

#include <chrono>

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

#endif
