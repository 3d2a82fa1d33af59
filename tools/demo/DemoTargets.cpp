#include "tools/demo/DemoTargets.h"

#include <algorithm>

namespace {
/// The keys of map whose records are not null, lowest first.
std::vector<WORD> KeysInOrder(const CMapWordToPtr& map) {
  std::vector<WORD> keys;
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    WORD key = 0;
    void* record = nullptr;
    map.GetNextAssoc(position, key, record);
    if (record != nullptr)
      keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

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

std::vector<WORD> StationIdsInOrder(const CGUIDatabase& database) { return KeysInOrder(database.StationMap); }

std::vector<WORD> ModuleIdsInOrder(const CStation& station) { return KeysInOrder(station.ModuleMap); }

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
