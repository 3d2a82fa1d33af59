#include <zodavudaz/c/MadeRecords.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/packets/siblings/CFeModule.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {
std::vector<CStation*>& MadeStations() {
  static std::vector<CStation*> stations;
  return stations;
}

std::unordered_map<const CHNLINF*, DWORD>& ScaleTables() {
  static std::unordered_map<const CHNLINF*, DWORD> tables;
  return tables;
}
} // namespace

CStation* FiledStation(WORD station) noexcept {
  CStation* found = nullptr;
  return GetDataBase()->GetStationInf(station, &found) ? found : nullptr;
}

CModule* FiledModule(WORD station, WORD module) noexcept {
  CModule* found = nullptr;
  return GetDataBase()->GetModuleInf(station, module, &found) ? found : nullptr;
}

void KeepMadeStation(CStation* station) { MadeStations().push_back(station); }

bool FreeMadeStation(CStation* station) noexcept {
  std::vector<CStation*>& stations = MadeStations();
  const auto found = std::find(stations.begin(), stations.end(), station);
  if (found == stations.end())
    return false;
  stations.erase(found);
  delete station;
  return true;
}

void FreeMadeStationsAfterExit() noexcept {
  for (CStation* station : MadeStations()) {
    // Exit leaves station 0's entries without an extra module's id; nothing else holds them now.
    for (POSITION position = station->ModuleMap.GetStartPosition(); position != nullptr;) {
      WORD id = 0;
      CModule* module = nullptr;
      station->ModuleMap.GetNextAssoc(position, id, module);
      DestroyUnfiledModule(module);
    }
    station->ModuleMap.RemoveAll();
    delete station;
  }
  MadeStations().clear();
  ForgetScaleTables();
}

void DestroyUnfiledModule(CModule* module) noexcept {
  if (module == nullptr)
    return;
  ForgetScaleTable(module->ScaleTable);
  module->ReleaseScaleTable();
  // As Exit: the frontend's work ends, the object stays the frontend library's.
  if (module->Frontend != nullptr)
    module->Frontend->Destroy();
  delete module;
}

void KeepScaleTable(const CHNLINF* table, DWORD records) { ScaleTables()[table] = records; }

DWORD ScaleTableRecords(const CHNLINF* table, WORD channels) noexcept {
  const auto found = ScaleTables().find(table);
  return found == ScaleTables().end() ? channels : found->second;
}

void ForgetScaleTable(const CHNLINF* table) noexcept { ScaleTables().erase(table); }

void ForgetScaleTables() noexcept { ScaleTables().clear(); }
