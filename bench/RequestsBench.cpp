// The library's own cost over the simulated frontend it calls: acquired data, the current data of
// a connected group, and look-ups with one query on a large database, each beside the same
// frontend calls made directly.
#include "bench/PairTiming.h"
#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {
// 1 MiB of samples: minimum and maximum of 16 bits for each point.
constexpr DWORD SamplePoints = 256 * 1024;
constexpr DWORD SampleBytes = SamplePoints * 2 * 2;
constexpr WORD GroupMembers = 8;
constexpr WORD GroupChannels = 16;
constexpr WORD LookupStations = 64;
constexpr WORD LookupSlots = 16;

/// A database of its own whose modules reach simulated modules; Exit ends them at the end.
class BenchDatabase {
public:
  BenchDatabase() { SimReset(); }
  BenchDatabase(const BenchDatabase&) = delete;
  BenchDatabase& operator=(const BenchDatabase&) = delete;
  ~BenchDatabase() {
    Database.Exit();
    SimReset();
  }

  CStation& AddStation(WORD id) {
    Stations.push_back(std::make_unique<CStation>());
    Stations.back()->StationId = id;
    Database.StationMap.SetAt(id, Stations.back().get());
    return *Stations.back();
  }
  CModule& AddModule(CStation& station, SimModuleConfig config) {
    config.Station = station.StationId;
    CModule* module = new CModule;
    module->ModuleId = config.ModuleId;
    module->AcqChannel = config.Channels;
    module->DataCntlId = config.CurrentCntlId;
    module->Frontend = SimCreateFrontend(config);
    station.ModuleMap.SetAt(config.ModuleId, module);
    return *module;
  }

  CGUIDatabase Database;
  std::vector<std::unique_ptr<CStation>> Stations;
};

/// Station 5 with slot 2 holding SamplePoints points.
CModule& AddSampleModule(BenchDatabase& bench) {
  SimModuleConfig config;
  config.ModuleId = 2;
  config.PointNum = SamplePoints;
  return bench.AddModule(bench.AddStation(5), config);
}

/// Station 5 with slots 1 to 8 joined into one group answered through slot 1.
CModule& AddModuleGroup(BenchDatabase& bench) {
  CStation& station = bench.AddStation(5);
  std::strcpy(station.ModelName, "RA800");
  station.SlotAttribute[1] = 1;
  for (WORD slot = 1; slot < GroupMembers; ++slot)
    station.ConnectStatus[slot] = 1;
  SimModuleConfig config;
  config.Channels = GroupChannels;
  config.Members = GroupMembers;
  return bench.AddModule(station, config);
}

double AcqDataBaseline = 0;
double CurrentDataBaseline = 0;
double LookupBaseline = 0;

void BM_GetAcqDataExBaseline(benchmark::State& state) {
  BenchDatabase bench;
  CFeModule* frontend = AddSampleModule(bench).Frontend;
  std::vector<BYTE> buffer(SampleBytes);
  CRplySync sync;
  AcqDataBaseline = TimeLoop(state, [&] {
    LONG input[6] = {0, 0, 0, 0, SamplePoints, 0};
    WORD type = 0;
    DWORD count = 0;
    frontend->Query(CmdGroupQuery, 0x40C, input, 0x21, 6, buffer.data(), &type, &count, SampleBytes, &sync, 0);
    benchmark::DoNotOptimize(count);
  });
}

void BM_GetAcqDataEx(benchmark::State& state) {
  BenchDatabase bench;
  AddSampleModule(bench);
  std::vector<BYTE> buffer(SampleBytes);
  CRplySync sync;
  const double nanoseconds = TimeLoop(state, [&] {
    WORD type = 0;
    DWORD size = 0;
    bench.Database.GetAcqDataEx(5, 2, 0, 0, 0, 0, 0, SamplePoints, 0, buffer.data(), SampleBytes, &type, &size, &sync);
    benchmark::DoNotOptimize(size);
  });
  ReportRatio(state, nanoseconds, AcqDataBaseline);
}

void BM_GetCurrentDataBaseline(benchmark::State& state) {
  BenchDatabase bench;
  CModule& module = AddModuleGroup(bench);
  constexpr DWORD MemberBytes = GroupChannels * 8;
  std::vector<BYTE> scratch(GroupMembers * MemberBytes);
  std::vector<BYTE> buffer(scratch.size());
  CRplySync sync;
  CurrentDataBaseline = TimeLoop(state, [&] {
    DWORD total = 0;
    for (WORD member = 0; member < GroupMembers; ++member) {
      BYTE selector = 0xFF;
      WORD type = 0;
      DWORD count = 0;
      module.Frontend->Query(CmdGroupQuery, MakeCntl(module.DataCntlId, member), &selector, 0x00, 1,
                             scratch.data() + total, &type, &count, MemberBytes, &sync, 0);
      total += count * 8;
    }
    std::memcpy(buffer.data(), scratch.data(), total);
    benchmark::DoNotOptimize(buffer.data());
  });
}

void BM_GetCurrentData(benchmark::State& state) {
  BenchDatabase bench;
  AddModuleGroup(bench);
  std::vector<BYTE> buffer(GroupMembers * GroupChannels * 8);
  CRplySync sync;
  const double nanoseconds = TimeLoop(state, [&] {
    WORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    bench.Database.GetCurrentData(5, 1, -1, &size, buffer.data(), &type, &sync);
    benchmark::DoNotOptimize(size);
  });
  ReportRatio(state, nanoseconds, CurrentDataBaseline);
}

/// Stations 1 to 64 with modules in slots 0 to 15; calls visit(station, slot, module) in turn.
class LookupDatabase : public BenchDatabase {
public:
  LookupDatabase() {
    for (WORD id = 1; id <= LookupStations; ++id) {
      CStation& station = AddStation(id);
      for (WORD slot = 0; slot < LookupSlots; ++slot)
        Modules.push_back(&AddModule(station, SimModuleConfig{id, slot}));
    }
  }
  template <typename VisitT>
  void VisitNext(VisitT visit) {
    const std::size_t index = Next++ % Modules.size();
    visit(static_cast<WORD>(index / LookupSlots + 1), static_cast<WORD>(index % LookupSlots), *Modules[index]);
  }

private:
  std::vector<CModule*> Modules;
  std::size_t Next = 0;
};

void BM_LookupAndQueryBaseline(benchmark::State& state) {
  LookupDatabase bench;
  LookupBaseline = TimeLoop(state, [&] {
    bench.VisitNext([&](WORD, WORD, CModule& module) {
      void* data = nullptr;
      WORD type = 0;
      DWORD count = 0;
      module.Frontend->Query(CmdGroupQuery, 0x123, &data, &type, &count, GetMgr()->GetRplySync(), 0);
      benchmark::DoNotOptimize(data);
    });
  });
}

void BM_LookupAndQuery(benchmark::State& state) {
  LookupDatabase bench;
  const double nanoseconds = TimeLoop(state, [&] {
    bench.VisitNext([&](WORD station, WORD slot, CModule&) {
      CModule* module = nullptr;
      bench.Database.GetModuleInf(station, slot, &module);
      benchmark::DoNotOptimize(bench.Database.GetAcqChannel(station, slot) + bench.Database.CheckTerm(station, slot));
      void* data = nullptr;
      DWORD count = 0;
      bench.Database.SettingQueryPointer(station, slot, 0x123, &data, &count);
      benchmark::DoNotOptimize(data);
    });
  });
  ReportRatio(state, nanoseconds, LookupBaseline);
}
} // namespace

// Each baseline runs first so that its pair's ratio can be reported.
BENCHMARK(BM_GetAcqDataExBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetAcqDataEx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetCurrentDataBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetCurrentData)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookupAndQueryBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookupAndQuery)->Unit(benchmark::kMicrosecond);
