#include "tools/demo/DemoScenes.h"

#include "tools/demo/DemoCodes.h"
#include "tools/demo/DemoMessages.h"

#include <zodavudaz/control/UnitText.h>
#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr WORD ShownRecords = 4;
constexpr DWORD ShownPoints = 8;
// Two elements (minimum, maximum) per point, up to 8 bytes each.
constexpr DWORD PointBufferBytes = 2 * ShownPoints * 8;

/// Element index of an acquired-data reply of type code type, as the library converts such values.
double ElementAt(WORD type, const BYTE* data, DWORD index) {
  switch (type) {
  case 0x00:
  case 0x01: return LoadWire<BYTE>(data, index);
  case 0x10:
  case 0x11: return LoadWire<std::int16_t>(data, index * 2);
  case 0x20:
  case 0x21: return LoadWire<std::int32_t>(data, index * 4);
  case 0x22: return LoadWire<float>(data, index * 4);
  default: return LoadWire<double>(data, index * 8);
  }
}

/// The channel a wave information record describes, and its acquisition; WAVEINF says which
/// fields hold what (docs/acquired-data.md).
void ShowWaveRecord(const WAVEINF& record, const _AcqDataInfo& converted) {
  const double interval = LoadWire<double>(&record, offsetof(WAVEINF, DwordE));
  std::printf("  channel %u  type 0x%02X (%s)  %lu points %g s apart  unit 0x%04X (%s)  values %g %g %g %g %g\n",
              record.WordA, record.DataType, TypeName(record.DataType), static_cast<unsigned long>(record.PointNum),
              interval, record.UnitCode, static_cast<LPCTSTR>(ZocGetUnitStr(record.UnitCode)), converted.Values[0],
              converted.Values[1], converted.Values[2], converted.Values[3], converted.Values[4]);
}

/// The wave information of every channel, as sent and as GetAcqInfo converts it; the first channel's
/// point count, or 0.
DWORD ShowWaveInfo(CGUIDatabase& database, const DemoModule& target) {
  static WAVEINF records[100];
  // GetAcqInfo's room: a record per channel of each member of the module's group.
  std::vector<_AcqDataInfo> converted(std::size_t{database.GetConnectNum(target.Station, target.Slot)} *
                                      database.GetAcqChannel(target.Station, target.Slot));
  WORD count = 0, convertedCount = 0;
  CRplySync sync;
  const WORD result = database.GetWaveInfo(target.Station, target.Slot, 0, -1, 0, records, &count, &sync);
  const WORD convertResult =
      database.GetAcqInfo(target.Station, target.Slot, 0, -1, 0, converted.data(), &convertedCount, &sync);
  std::printf("GetWaveInfo(station %u, module 0x%02X, all channels): result %u (%s), %u records; GetAcqInfo: result "
              "%u, each record's five values (the module's own; a simulated one sends 10 to 50 plus the channel) "
              "converted to double:\n",
              target.Station, target.Slot, result, ResultName(result), count, convertResult);
  for (WORD index = 0; index < count && index < convertedCount && index < ShownRecords; ++index)
    ShowWaveRecord(records[index], converted[index]);
  if (count > ShownRecords)
    std::printf("  ... and %u more\n", count - ShownRecords);
  return count > 0 ? records[0].PointNum : 0;
}

/// Asks points of channel from start forward and prints what came, as docs/acquired-data.md reads it.
void ShowPoints(CGUIDatabase& database, const DemoModule& target, LONG channel, DWORD start, DWORD points) {
  BYTE buffer[PointBufferBytes];
  WORD type = 0;
  DWORD size = 0;
  CRplySync sync;
  const WORD result = database.GetAcqDataEx(target.Station, target.Slot, 0, channel, 0, static_cast<LONG>(start), 0,
                                            points, 2, buffer, sizeof buffer, &type, &size, &sync);
  const DWORD width = DWORD{1} << (type >> 4);
  // *size counts bytes when the whole reply came, elements (all the module holds from start) otherwise.
  const bool whole = result == 0 && size == 2 * points * width;
  std::printf("GetAcqDataEx(channel %ld, %lu points forward from point %lu): result %u (%s), type 0x%02X, size %lu "
              "(%s)\n ",
              static_cast<long>(channel), static_cast<unsigned long>(points), static_cast<unsigned long>(start), result,
              ResultName(result), type, static_cast<unsigned long>(size),
              whole ? "bytes: every point asked for" : "elements: all the module holds from there");
  const DWORD elements = whole ? size / width : size;
  for (DWORD index = 0; result == 0 && index + 1 < elements && index + 1 < 2 * points; index += 2)
    std::printf(" [%g..%g]", ElementAt(type, buffer, index), ElementAt(type, buffer, index + 1));
  std::printf("  ([minimum..maximum] of each point)\n");
}

void ShowAcquisition(CGUIDatabase& database, const DemoModule& target) {
  const DWORD pointNum = ShowWaveInfo(database, target);
  const LONG channel = database.GetAcqChannel(target.Station, target.Slot) > 1 ? 1 : 0;
  ShowPoints(database, target, channel, 0, ShownPoints);
  // A request past the acquisition's end: fewer points than asked.
  if (pointNum > 2)
    ShowPoints(database, target, channel, pointNum - 2, ShownPoints);
}

void ShowQueries(CGUIDatabase& database, const DemoModule& target) {
  CString name;
  database.GuiGetModuleName(target.Station, target.Slot, name);
  WORD mode = 0;
  const WORD modeResult = database.GetSeqMode(target.Station, target.Slot, &mode);
  void* table = nullptr;
  DWORD length = 0;
  const WORD tableResult = database.GetSeqTable(target.Station, target.Slot, &table, &length);
  std::printf("GuiGetModuleName: \"%s\"; GetSeqMode: result %u (%s), mode %u; GetSeqTable: result %u (%s), %lu bytes\n",
              static_cast<LPCTSTR>(name), modeResult, ResultName(modeResult), mode, tableResult,
              ResultName(tableResult), static_cast<unsigned long>(length));
  ::operator delete(table);
  void* help = nullptr;
  DWORD count = 0;
  WORD fromQuery = 0;
  const WORD helpResult = database.HelpQueryPointer(target.Station, target.Slot, &help, &count, &fromQuery);
  std::printf("HelpQueryPointer: result %u (%s), from the query group %u: \"%s\"\n", helpResult, ResultName(helpResult),
              fromQuery, helpResult == 0 ? static_cast<const char*>(help) : "");
}

void ShowRegistry(CGUIDatabase& database, const DemoModule& target, const std::optional<WORD>& frontEnd) {
  if (!frontEnd) {
    std::printf("RegistFrontendUsedModule: skipped, no front end under station 0\n");
    return;
  }
  database.RegistFrontendUsedModule(*frontEnd, target.Station, target.Slot);
  WORD user = 0;
  const int used = database.IsUseFrontEnd(target.Station, target.Slot, &user);
  std::printf("RegistFrontendUsedModule(0x%02X, %u, %u): IsUseFrontEnd %d by 0x%02X, IsUseFrontEndAndRun %d\n",
              *frontEnd, target.Station, target.Slot, used, user,
              database.IsUseFrontEndAndRun(target.Station, target.Slot));
}

void ShowStopViewer(CGUIDatabase& database, const DemoModule& target) {
  database.StopViewer(target.Station, target.Slot);
  std::printf("StopViewer(%u, %u):\n", target.Station, target.Slot);
  ShowNewSeqThreadMessages();
}

void ShowExit(CGUIDatabase& database, const DemoTargets& targets) {
  database.Exit();
  std::printf("Exit: %d stations left", database.StationMap.GetCount());
  if (targets.Acquisition)
    std::printf("; frontend of station %u module 0x%02X destroyed %d time(s)", targets.Acquisition->Station,
                targets.Acquisition->Slot, SimDestroyCalls(targets.Acquisition->Station, targets.Acquisition->Slot));
  if (targets.FrontEnd)
    std::printf("; front end 0x%02X %d time(s), which stops its viewer first", *targets.FrontEnd,
                SimDestroyCalls(0, *targets.FrontEnd));
  std::printf(":\n");
  ShowNewSeqThreadMessages();
}
} // namespace

void ShowRequests(CGUIDatabase& database, const DemoTargets& targets) {
  std::printf("== Requests ==\n");
  if (targets.Acquisition) {
    ShowAcquisition(database, *targets.Acquisition);
    ShowQueries(database, *targets.Acquisition);
    ShowRegistry(database, *targets.Acquisition, targets.FrontEnd);
    ShowStopViewer(database, *targets.Acquisition);
  } else {
    std::printf("acquired data, queries, registry and viewer stop: skipped, no module to ask\n");
  }
  ShowExit(database, targets);
  std::printf("\n");
}
