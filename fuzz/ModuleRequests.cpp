// Fuzzed replies of a simulated module (bytes, counts, type codes and faults) fed into every
// module query and acquisition request with fuzzed capacities: no access outside the buffers
// given, and no size or count reported beyond them.
#include "fuzz/FuzzCheck.h"
#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/sim/SimControl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
constexpr BYTE Marker = 0xCC;
constexpr std::size_t Guard = 64;

/// The fuzz input read front to back; zeros once it runs out.
class Input {
public:
  Input(const std::uint8_t* data, std::size_t size) : Data(data), Size(size) {}
  template <typename T>
  T Take() {
    T value{};
    const std::size_t count = std::min(sizeof value, Size - At);
    std::memcpy(&value, Data + At, count);
    At += count;
    return value;
  }
  std::vector<BYTE> TakeBytes(std::size_t count) {
    count = std::min(count, Size - At);
    At += count;
    return std::vector<BYTE>(Data + At - count, Data + At);
  }

private:
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t At = 0;
};

/// Capacity bytes marked, followed by a marked guard that no call may touch.
struct Guarded {
  explicit Guarded(std::size_t capacity) : Capacity(capacity), Bytes(capacity + Guard, Marker) {}
  BYTE* Data() { return Bytes.data(); }
  bool UnchangedFrom(std::size_t first) const {
    return std::all_of(Bytes.begin() + std::min(first, Capacity), Bytes.end(), [](BYTE b) { return b == Marker; });
  }
  std::size_t Capacity;
  std::vector<BYTE> Bytes;
};

/// The module's own type codes; replies with any other type come from the faults and stored replies.
BYTE TakeTypeCode(Input& in) {
  static const BYTE Types[] = {0x00, 0x01, 0x05, 0x10, 0x11, 0x20, 0x21, 0x22, 0x32};
  return Types[in.Take<BYTE>() % sizeof Types];
}

SimModuleConfig TakeConfig(Input& in) {
  SimModuleConfig config;
  config.Station = 5;
  config.ModuleId = 2;
  config.Members = static_cast<WORD>(in.Take<BYTE>() % 4 + 1);
  config.Channels = static_cast<WORD>(in.Take<BYTE>() % 9);
  config.DataType = TakeTypeCode(in);
  config.PointNum = in.Take<WORD>();
  config.CurrentType = TakeTypeCode(in);
  return config;
}

/// A stored reply for one of the control ids the requests use, and a fault on every request.
void ShapeReplies(Input& in) {
  static const WORD CntlIds[] = {0x400, 0x40C, 0x40E, 0x40D, 0x123};
  const BYTE group = in.Take<BYTE>();
  const WORD cntlId = CntlIds[in.Take<BYTE>() % 5];
  if (group & 0x80) {
    const WORD type = in.Take<BYTE>();
    const std::vector<BYTE> bytes = in.TakeBytes(in.Take<WORD>() % 4096);
    SimSetReply(5, 2, group & 0x0F, cntlId, type, bytes.data(), static_cast<DWORD>(bytes.size()));
  }
  SimFault fault;
  const BYTE switches = in.Take<BYTE>();
  fault.Times = switches & 0x01 ? 1 : -1;
  fault.Result = switches & 0x02 ? in.Take<WORD>() : WORD{0};
  fault.ExtraBytes = switches & 0x04 ? in.Take<WORD>() % 1024 : 0;
  fault.KeepBytes = switches & 0x08 ? in.Take<WORD>() : SimAll;
  fault.Type = switches & 0x10 ? in.Take<BYTE>() : SimAny;
  fault.ClaimCount = switches & 0x20 ? in.Take<DWORD>() : SimAll;
  SimAddFault(5, 2, fault);
}

void RunQueries(CGUIDatabase& database, Input& in) {
  void* data = nullptr;
  DWORD count = 0;
  WORD word = 0;
  _ModulePacket* reply = nullptr;
  database.GuiQuery(5, 2, in.Take<WORD>(), &reply);
  database.GuiGetArray(5, 2, in.Take<WORD>(), &data, &count, in.Take<BYTE>());
  database.SettingQueryPointer(5, 2, in.Take<WORD>(), &data, &count);
  database.HelpQueryPointer(5, 2, &data, &count, &word);
  if (database.GetSeqTable(5, 2, &data, &count) == 0) {
    Check(data != nullptr && count > 0);
    std::memset(data, 0, count); // the whole block is the caller's
    ::operator delete(data);
  }
  database.GetSeqMode(5, 2, &word);
  database.SyncExec(5, 2, in.Take<WORD>(), nullptr, 0xFF, 0);
}

void RunAcquisition(CGUIDatabase& database, Input& in, CRplySync& sync) {
  const WORD offset = in.Take<BYTE>() % 4;
  const LONG first = in.Take<BYTE>() % 3 == 0 ? -1 : in.Take<BYTE>() % 8;
  WORD count = 0;
  Guarded waves(12800);
  database.GetWaveInfo(5, 2, offset, first, 0, reinterpret_cast<WAVEINF*>(waves.Data()), &count, &sync);
  Check(count <= 100 && waves.UnchangedFrom(12800));

  const std::size_t records = std::size_t{database.GetConnectNum(5, 2)} * database.GetAcqChannel(5, 2);
  Guarded infos(records * sizeof(_AcqDataInfo));
  database.GetAcqInfo(5, 2, offset, first, 0, reinterpret_cast<_AcqDataInfo*>(infos.Data()), &count, &sync);
  Check(count <= records && infos.UnchangedFrom(count * sizeof(_AcqDataInfo)));

  const DWORD points = in.Take<BYTE>() % 4 == 0 ? 0 : in.Take<WORD>();
  Guarded samples(in.Take<WORD>() % 8192);
  WORD type = 0;
  DWORD size = 0;
  database.GetAcqDataEx(5, 2, offset, first, 0, in.Take<WORD>(), 0, points, in.Take<BYTE>() % 4, samples.Data(),
                        static_cast<DWORD>(samples.Capacity), &type, &size, &sync);
  Check(samples.UnchangedFrom(samples.Capacity) && (points != 0 || size <= samples.Capacity));

  Guarded current(in.Take<WORD>() % 1024);
  size = static_cast<DWORD>(current.Capacity);
  const bool group = database.CheckMaster(5, 2) != 0;
  if (database.GetCurrentData(5, 2, -1, &size, current.Data(), &type, &sync) == 0)
    Check(size <= current.Capacity && current.UnchangedFrom(group ? size : current.Capacity));

  std::vector<CHNLINF> table(in.Take<BYTE>() % 8);
  database.SetScaleTbl(5, 2, offset, table.data(), static_cast<WORD>(table.size()), 1, &sync);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  SimReset();
  const SimModuleConfig config = TakeConfig(in);
  CStation station;
  station.StationId = 5;
  std::strcpy(station.ModelName, "RA800");
  const BYTE joined = in.Take<BYTE>();
  station.SlotAttribute[2] = joined & 1;
  for (WORD slot = 2; slot < 2 + config.Members && (joined & 2); ++slot)
    station.ConnectStatus[slot] = 1;
  CModule* module = new CModule;
  module->ModuleId = 2;
  module->AcqChannel = config.Channels;
  module->DataCntlId = config.CurrentCntlId;
  module->Frontend = SimCreateFrontend(config);
  CGUIDatabase database;
  database.StationMap.SetAt(5, &station);
  station.ModuleMap.SetAt(2, module);
  ShapeReplies(in);
  CRplySync sync;
  RunQueries(database, in);
  RunAcquisition(database, in, sync);
  database.Exit();
  SimReset();
  return 0;
}

// A scratch buffer the module's sizes ask for may be refused: the library answers 400 then.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
