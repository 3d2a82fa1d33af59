#include "tools/demo/DemoTargets.h"

#include <algorithm>

namespace {
/// The station filed under id; null when none or a null record.
const CStation* StationOf(const CGUIDatabase& database, WORD id) {
  CStation* station = nullptr;
  database.GetStationInf(id, &station);
  return station;
}

std::optional<DemoModule> FirstAcquisitionModule(const CGUIDatabase& database) {
  for (WORD stationId : StationIdsInOrder(database)) {
    if (stationId == 0)
      continue;
    for (WORD moduleId : ModuleIdsInOrder(*StationOf(database, stationId))) {
      CModule* module = nullptr;
      if (database.GetModuleInf(stationId, moduleId, &module) && module->Frontend != nullptr && module->AcqChannel > 0)
        return DemoModule{stationId, moduleId};
    }
  }
  return std::nullopt;
}

std::optional<DemoModule> FirstGroupMaster(const CGUIDatabase& database) {
  for (WORD stationId : StationIdsInOrder(database))
    for (WORD moduleId : ModuleIdsInOrder(*StationOf(database, stationId)))
      if (moduleId < StationSlotCount && database.SearchMaster(stationId, moduleId) == moduleId &&
          database.GetConnectNum(stationId, moduleId) > 1)
        return DemoModule{stationId, moduleId};
  return std::nullopt;
}
} // namespace

std::vector<WORD> StationIdsInOrder(const CGUIDatabase& database) {
  std::vector<WORD> ids;
  for (POSITION position = database.StationMap.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CStation* station = nullptr;
    database.StationMap.GetNextAssoc(position, id, station);
    if (station != nullptr)
      ids.push_back(id);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::vector<WORD> ModuleIdsInOrder(const CStation& station) {
  std::vector<WORD> ids;
  for (POSITION position = station.ModuleMap.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CModule* module = nullptr;
    station.ModuleMap.GetNextAssoc(position, id, module);
    if (module != nullptr)
      ids.push_back(id);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

DemoTargets ChooseTargets(const CGUIDatabase& database) {
  DemoTargets targets;
  targets.Acquisition = FirstAcquisitionModule(database);
  targets.GroupMaster = FirstGroupMaster(database);
  if (const CStation* frontEnds = StationOf(database, 0); frontEnds != nullptr) {
    const std::vector<WORD> entries = ModuleIdsInOrder(*frontEnds);
    if (!entries.empty())
      targets.FrontEnd = entries.front();
  }
  return targets;
}

std::optional<DemoModule> DemoTargets::TestedModule() const {
  if (GroupMaster)
    return DemoModule{GroupMaster->Station, static_cast<WORD>(GroupMaster->Slot + 1)};
  return Acquisition;
}
