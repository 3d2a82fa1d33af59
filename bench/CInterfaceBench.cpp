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
    for (int section = 0; text.size() < 4096 - 64; ++section) {
      text += "[StationS-Module";
      text += std::to_string(section);
      text += "]\r\nProduct=ZO4a21 module\r\nConfig=a 1,b 2,c 3,\r\n\r\n";
    }
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

void ReadSettingsInCpp() {
  CString value;
  GetProfileStringEx(SettingsFile().c_str(), "StationBench", "Config", value);
  benchmark::DoNotOptimize(value.GetLength());
}

void ReadSettingsInC() {
  char value[64];
  uint32_t size = 0;
  zdz_get_profile_string(SettingsFile().c_str(), "StationBench", "Config", value, sizeof value, &size);
  benchmark::DoNotOptimize(size);
}

/// The acquisition through the C++ call and through the C interface, into one buffer.
class Acquisition : public AcquisitionStation {
public:
  void InCpp() {
    WORD type = 0;
    DWORD size = 0;
    GetDataBase()->GetAcqDataEx(5, 2, 0, 0, 0, 0, 0, AcquiredPoints, 2, Buffer.data(), AcquiredBytes, &type, &size,
                                &Sync);
    benchmark::DoNotOptimize(size);
  }
  void InC() {
    uint16_t type = 0;
    uint32_t bytes = 0;
    uint32_t elements = 0;
    zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, AcquiredPoints, 2, Buffer.data(), AcquiredBytes, &type, &bytes, &elements,
                        0);
    benchmark::DoNotOptimize(bytes);
  }

private:
  std::vector<BYTE> Buffer = std::vector<BYTE>(AcquiredBytes);
  CRplySync Sync;
};

void CallInCpp() { benchmark::DoNotOptimize(ZoGetCGClass()); }

void CallInC() {
  uint32_t value = 0;
  zdz_zo_get_cg_class(&value);
  benchmark::DoNotOptimize(value);
}

void BM_CSettingsReadBaseline(benchmark::State& state) { TimeLoop(state, ReadSettingsInCpp); }

// The ratio compares the two calls made in turns.
void BM_CSettingsRead(benchmark::State& state) { TimeInterleaved(state, ReadSettingsInCpp, ReadSettingsInC); }

void BM_CAcquisitionBaseline(benchmark::State& state) {
  Acquisition acquisition;
  TimeLoop(state, [&] { acquisition.InCpp(); });
}

void BM_CAcquisition(benchmark::State& state) {
  Acquisition acquisition;
  TimeInterleaved(
      state, [&] { acquisition.InCpp(); }, [&] { acquisition.InC(); });
}

double CallBaseline = 0;

void BM_CCallBaseline(benchmark::State& state) { CallBaseline = TimeLoop(state, CallInCpp); }

// What every C call adds to the call it wraps: the lock taken and given back. Too short to time
// one by one, the calls run in a loop each, the baseline first.
void BM_CCall(benchmark::State& state) {
  const double nanoseconds = TimeLoop(state, CallInC);
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
