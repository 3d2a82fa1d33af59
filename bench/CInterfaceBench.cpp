// The C interface's own cost over the C++ calls it wraps, each pair in the same run: a settings
// read of a 4 KiB file, a 1,000,000-point acquisition, and a call that does nothing but cross the
// interface (its lock and boundary).
#include "bench/PairTiming.h"
#include <zodavudaz/control/ControlRequests.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/zodavudaz_c.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr DWORD AcquiredPoints = 1000000;
// Two 16-bit elements, minimum and maximum, per point.
constexpr DWORD AcquiredBytes = AcquiredPoints * 2 * 2;

/// A settings file of 4 KiB whose last section holds the key read.
const std::string& SettingsFile() {
  static std::string path;
  if (path.empty()) {
    char folder[] = "/tmp/zdz-c-bench-XXXXXX";
    path = std::string(mkdtemp(folder)) + "/Mardel.tmp";
    std::string text;
    for (int section = 0; text.size() < 4096 - 64; ++section)
      text +=
          "[StationS-Module" + std::to_string(section) + "]\r\nProduct=ZO4a21 module\r\nConfig=a 1,b 2,c 3,\r\n\r\n";
    text += "[StationBench]\r\nConfig=a 1,b 2,c 3,\r\n\r\n";
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  return path;
}

/// Station 5 with slot 2 holding AcquiredPoints points, filed through the C interface.
class AcquisitionStation {
public:
  AcquisitionStation() {
    SimReset();
    SimModuleConfig config{5, 2};
    config.Channels = 1;
    config.PointNum = AcquiredPoints;
    zdz_add_station(5, "Bench", "RA800");
    zdz_add_module(5, 2, "ZO4a21", 0x4A2100, 1, SimCreateFrontend(config));
  }
  AcquisitionStation(const AcquisitionStation&) = delete;
  AcquisitionStation& operator=(const AcquisitionStation&) = delete;
  ~AcquisitionStation() {
    zdz_exit();
    SimReset();
  }
};

double SettingsReadBaseline = 0;
double AcquisitionBaseline = 0;
double CallBaseline = 0;

void BM_CSettingsReadBaseline(benchmark::State& state) {
  const std::string& file = SettingsFile();
  SettingsReadBaseline = TimeLoop(state, [&] {
    CString value;
    GetProfileStringEx(file.c_str(), "StationBench", "Config", value);
    benchmark::DoNotOptimize(value.GetLength());
  });
}

void BM_CSettingsRead(benchmark::State& state) {
  const std::string& file = SettingsFile();
  const double nanoseconds = TimeLoop(state, [&] {
    char value[64];
    uint32_t size = 0;
    zdz_get_profile_string(file.c_str(), "StationBench", "Config", value, sizeof value, &size);
    benchmark::DoNotOptimize(size);
  });
  ReportRatio(state, nanoseconds, SettingsReadBaseline);
}

void BM_CAcquisitionBaseline(benchmark::State& state) {
  AcquisitionStation station;
  std::vector<BYTE> buffer(AcquiredBytes);
  CRplySync sync;
  AcquisitionBaseline = TimeLoop(state, [&] {
    WORD type = 0;
    DWORD size = 0;
    GetDataBase()->GetAcqDataEx(5, 2, 0, 0, 0, 0, 0, AcquiredPoints, 2, buffer.data(), AcquiredBytes, &type, &size,
                                &sync);
    benchmark::DoNotOptimize(size);
  });
}

void BM_CAcquisition(benchmark::State& state) {
  AcquisitionStation station;
  std::vector<BYTE> buffer(AcquiredBytes);
  const double nanoseconds = TimeLoop(state, [&] {
    uint16_t type = 0;
    uint32_t bytes = 0;
    uint32_t elements = 0;
    zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, AcquiredPoints, 2, buffer.data(), AcquiredBytes, &type, &bytes, &elements,
                        0);
    benchmark::DoNotOptimize(bytes);
  });
  ReportRatio(state, nanoseconds, AcquisitionBaseline);
}

void BM_CCallBaseline(benchmark::State& state) {
  CallBaseline = TimeLoop(state, [] { benchmark::DoNotOptimize(ZoGetCGClass()); });
}

// The difference to its baseline is what every C call adds: the lock taken and given back.
void BM_CCall(benchmark::State& state) {
  const double nanoseconds = TimeLoop(state, [] {
    uint32_t value = 0;
    zdz_zo_get_cg_class(&value);
    benchmark::DoNotOptimize(value);
  });
  ReportRatio(state, nanoseconds, CallBaseline);
  state.counters["added_ns"] = nanoseconds - CallBaseline;
}
} // namespace

// Each baseline runs first so that its pair's ratio can be reported.
BENCHMARK(BM_CSettingsReadBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CSettingsRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CAcquisitionBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CAcquisition)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CCallBaseline)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_CCall)->Unit(benchmark::kNanosecond);
