#include "tools/demo/DemoScenes.h"

#include <cstdio>

namespace {
void ShowStation(const CGUIDatabase& database, WORD id, const CStation& station) {
  std::printf("station %-3u %-8s %-8s slots %u\n", id, static_cast<LPCTSTR>(station.Name), station.ModelName,
              database.GetMaxSlot(id));
  for (POSITION position = station.ModuleMap.GetStartPosition(); position != nullptr;) {
    WORD moduleId = 0;
    CModule* module = nullptr;
    station.ModuleMap.GetNextAssoc(position, moduleId, module);
    CString product;
    database.GetProductName(id, moduleId, product);
    std::printf("  module 0x%02X  %-7s channels %-3u master %u  members %u  position %u%s\n", moduleId,
                static_cast<LPCTSTR>(product), database.GetAcqChannel(id, moduleId),
                database.SearchMaster(id, moduleId), database.GetConnectNum(id, database.SearchMaster(id, moduleId)),
                database.GetConnectNo(id, moduleId),
                database.IsExistModule(id, moduleId) && moduleId >= StationSlotCount ? "  (extra module)" : "");
  }
}
} // namespace

void ShowLookups(const CGUIDatabase& database) {
  std::printf("== Stations in map order ==\n");
  std::printf("(master: first slot of the module's connected group; members: modules the group joins; position: the "
              "module's place in it, 0 for the master)\n");
  for (POSITION position = database.StationMap.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CStation* station = nullptr;
    database.StationMap.GetNextAssoc(position, id, station);
    ShowStation(database, id, *station);
  }
  CStation* found = nullptr;
  std::printf("station named \"Bravo\": %s\n", database.GetStationInf(CString("Bravo"), &found) ? "found" : "none");
  std::printf("station named \"bravo\": %s\n", database.GetStationInf(CString("bravo"), &found) ? "found" : "none");
  std::printf("frontend number offered: %u\n\n", database.GetFrontendNo());
}
