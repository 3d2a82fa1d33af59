#include "tools/demo/DemoScenes.h"

#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
struct ModulePlan {
  WORD Slot;
  DWORD ProductCode;
  WORD Channels;
};

struct StationPlan {
  WORD Id;
  const char* Name;
  const char* Model;
  BYTE ConnectStatus[StationSlotCount];
  BYTE SlotAttribute[StationSlotCount];
  ModulePlan Modules[6];
};

// Station 2 joins slots 2, 3 and 4 into one group and carries an extra module (0x12) on slot 2.
const StationPlan DemoStations[] = {
    {1, "Alpha", "ZI400-A", {0, 0, 0, 0, 0}, {0, 1, 1, 1, 1}, {{1, 0x4A21, 4}, {3, 0x4B10, 2}}},
    {2,
     "Bravo",
     "RA800-B",
     {0, 0, 1, 1, 0, 0, 0, 0, 0},
     {0, 1, 1, 0, 0, 1, 0, 0, 1},
     {{1, 0x4C01, 8}, {2, 0x4D02, 16}, {3, 0x4D02, 16}, {4, 0x4D02, 16}, {0x12, 0x4D02, 16}}},
    {16, "Charlie", "RA800-C", {0}, {0}, {{5, 0x4E30, 1}}},
    // Station 0 holds the front ends: here front end 1 (entry 0x10). Station 5 answers acquisitions.
    {0, "", "", {0}, {0}, {{0x10, 0x0001, 0}}},
    {5, "Echo", "RA800-E", {0}, {0}, {{2, 0x4F20, 4}}},
};

// The stations outlive Exit, which destroys only the modules; the demo deletes them at the end.
std::vector<CStation*> MadeStations;

// Each module is reached through a frontend of the simulated frontend library.
CFeModule* NewFrontend(WORD stationId, const ModulePlan& modulePlan) {
  SimModuleConfig config;
  config.Station = stationId;
  config.ModuleId = modulePlan.Slot;
  config.Channels = modulePlan.Channels;
  return SimCreateFrontend(config);
}

CStation* NewStation(const StationPlan& plan) {
  CStation* station = new CStation;
  station->StationId = plan.Id;
  station->Name = plan.Name;
  std::strncpy(station->ModelName, plan.Model, sizeof station->ModelName - 1);
  std::memcpy(station->ConnectStatus, plan.ConnectStatus, sizeof station->ConnectStatus);
  std::memcpy(station->SlotAttribute, plan.SlotAttribute, sizeof station->SlotAttribute);
  for (const ModulePlan& modulePlan : plan.Modules) {
    if (modulePlan.ProductCode == 0)
      continue;
    CModule* module = new CModule;
    module->ModuleId = modulePlan.Slot;
    module->ProductWord = modulePlan.ProductCode << 8;
    module->AcqChannel = modulePlan.Channels;
    std::snprintf(module->ProductName, sizeof module->ProductName, "ZO%lx",
                  static_cast<unsigned long>(modulePlan.ProductCode));
    module->Frontend = NewFrontend(plan.Id, modulePlan);
    station->ModuleMap.SetAt(modulePlan.Slot, module);
    if (modulePlan.Slot < StationSlotCount)
      station->ModuleExist[modulePlan.Slot] = 1;
  }
  return station;
}
} // namespace

void FileDemoStations(CGUIDatabase& database) {
  database.Init();
  for (const StationPlan& plan : DemoStations) {
    MadeStations.push_back(NewStation(plan));
    database.StationMap.SetAt(plan.Id, MadeStations.back());
  }
}

void UnfileDemoStations(CGUIDatabase& database) {
  database.Exit();
  for (CStation* station : MadeStations)
    delete station;
  MadeStations.clear();
  // Exit ends the frontends' work; their objects go with the simulated frontend library.
  SimReset();
}
