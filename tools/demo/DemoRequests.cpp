#include "tools/demo/DemoScenes.h"

#include "tools/demo/DemoCodes.h"

#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr WORD Station = 5;
constexpr WORD Slot = 2;

/// The viewer's data request of the typical request: wave information, then the first points.
void ShowAcquisition(CGUIDatabase& database) {
  CRplySync sync;
  WAVEINF waves[100];
  WORD records = 0;
  WORD result = database.GetWaveInfo(Station, Slot, 0, -1, 0, waves, &records, &sync);
  std::printf("GetWaveInfo(%u, %u): result %u (%s), %u records\n", Station, Slot, result, ResultName(result), records);
  for (WORD index = 0; index < records; ++index)
    std::printf("  channel %u  type 0x%02X  %lu points  unit 0x%04X  value 0 as stored %d\n", waves[index].WordA,
                waves[index].DataType, static_cast<unsigned long>(waves[index].PointNum), waves[index].UnitCode,
                LoadWire<short>(waves[index].Value0, 0));
  short samples[16];
  WORD type = 0;
  DWORD size = 0;
  result = database.GetAcqDataEx(Station, Slot, 0, 1, 0, 0, 0, 8, 0, samples, sizeof samples, &type, &size, &sync);
  std::printf("GetAcqDataEx(channel 1, 8 points from 0): result %u (%s), type 0x%02X, %lu bytes; [minimum..maximum] "
              "of each point of the channel's square wave:\n ",
              result, ResultName(result), type, static_cast<unsigned long>(size));
  for (DWORD index = 0; index < size / sizeof(short); index += 2)
    std::printf(" [%d..%d]", samples[index], samples[index + 1]);
  std::printf("\n");
}

void ShowQueries(CGUIDatabase& database) {
  CString name;
  database.GuiGetModuleName(Station, Slot, name);
  WORD mode = 0;
  const WORD modeResult = database.GetSeqMode(Station, Slot, &mode);
  void* table = nullptr;
  DWORD length = 0;
  const WORD tableResult = database.GetSeqTable(Station, Slot, &table, &length);
  std::printf("GuiGetModuleName: \"%s\"; GetSeqMode: result %u (%s), mode %u; GetSeqTable: result %u (%s), %lu bytes\n",
              static_cast<LPCTSTR>(name), modeResult, ResultName(modeResult), mode, tableResult,
              ResultName(tableResult), static_cast<unsigned long>(length));
  ::operator delete(table);
  void* help = nullptr;
  DWORD count = 0;
  WORD fromQuery = 0;
  const WORD helpResult = database.HelpQueryPointer(Station, Slot, &help, &count, &fromQuery);
  std::printf("HelpQueryPointer: result %u (%s), from the query group %u: \"%s\"\n", helpResult, ResultName(helpResult),
              fromQuery, helpResult == 0 ? static_cast<const char*>(help) : "");
}

void ShowRegistry(CGUIDatabase& database) {
  database.RegistFrontendUsedModule(0x10, Station, Slot);
  WORD user = 0;
  const int used = database.IsUseFrontEnd(Station, Slot, &user);
  std::printf("RegistFrontendUsedModule(0x10, %u, %u): IsUseFrontEnd %d by 0x%02X, IsUseFrontEndAndRun %d\n", Station,
              Slot, used, user, database.IsUseFrontEndAndRun(Station, Slot));
}

/// Prints the messages the sequence thread handled since the last call.
void PrintSeqThreadMessages() {
  static std::size_t printed = 0;
  const std::vector<SimMessage> messages = SimSeqThreadMessages();
  for (; printed < messages.size(); ++printed) {
    const SimMessage& message = messages[printed];
    std::printf("  message 0x%03lX (%s): station %u module 0x%02X members %u stop flag %lu; trigger value %d, save to "
                "\"%s\"\n",
                static_cast<unsigned long>(message.Message), MessageName(message.Message), message.Record.StationId,
                message.Record.ModuleId, message.Record.ConnectNum, static_cast<unsigned long>(message.Record.StopFlag),
                message.TrigInfo.TrigValue, message.TrigInfo.SaveDirectory);
  }
}

void ShowStopAndExit(CGUIDatabase& database) {
  // The save-on-trigger settings as a settings reset leaves them.
  CModule* module = nullptr;
  if (database.GetModuleInf(Station, Slot, &module)) {
    module->ActOnTrigInfo.TrigValue = 1000000;
    std::strcpy(module->ActOnTrigInfo.SaveDirectory, "c:\\ZIZIDE\\");
  }
  database.StopViewer(Station, Slot);
  std::printf("StopViewer(%u, %u); the sequence thread received:\n", Station, Slot);
  PrintSeqThreadMessages();
  database.Exit();
  std::printf("Exit: %d stations left; frontend of slot 2 destroyed %d time(s), front end 0x10 %d time(s); the "
              "sequence thread then received:\n",
              database.StationMap.GetCount(), SimDestroyCalls(Station, Slot), SimDestroyCalls(0, 0x10));
  PrintSeqThreadMessages();
}
} // namespace

void ShowRequests(CGUIDatabase& database) {
  std::printf("== Requests ==\n");
  ShowAcquisition(database);
  ShowQueries(database);
  ShowRegistry(database);
  ShowStopAndExit(database);
  std::printf("\n");
}
