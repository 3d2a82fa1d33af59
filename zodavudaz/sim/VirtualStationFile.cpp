#include <zodavudaz/sim/VirtualStationFile.h>

#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/sim/DescriptionFile.h>
#include <zodavudaz/sim/VirtualStationPlan.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {
// The library never destroys stations; the ones made here are deleted by ReleaseVirtualStations.
std::vector<CStation*> MadeStations;

/// Ends the modules of a station that was made but not filed, then the station.
void DiscardStation(CStation* station) noexcept {
  for (POSITION position = station->ModuleMap.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CModule* module = nullptr;
    station->ModuleMap.GetNextAssoc(position, id, module);
    module->EndFrontend();
    delete module;
  }
  delete station;
}

/// The module with a frontend on its simulated module; null when memory runs out.
CModule* NewModule(const VirtualModulePlan& plan) noexcept {
  CModule* module = new (std::nothrow) CModule;
  if (module == nullptr)
    return nullptr;
  module->ModuleId = plan.Config.ModuleId;
  module->ProductWord = plan.ProductWord;
  module->AcqChannel = plan.Config.Channels;
  // What an application knows of its modules: where their current data is asked for.
  module->DataCntlId = plan.Config.CurrentCntlId;
  std::strncpy(module->ProductName, plan.Product.c_str(), sizeof module->ProductName - 1);
  module->Frontend = SimCreateFrontend(plan.Config);
  if (module->Frontend != nullptr)
    return module;
  delete module;
  return nullptr;
}

/// The station with its modules; null, with nothing left behind, when memory runs out.
CStation* NewStation(const VirtualStationPlan& plan) noexcept {
  CStation* station = new (std::nothrow) CStation;
  if (station == nullptr)
    return nullptr;
  station->StationId = plan.Id;
  station->Name = plan.Name.c_str();
  std::strncpy(station->ModelName, plan.Model.c_str(), sizeof station->ModelName - 1);
  std::memcpy(station->SlotAttribute, plan.SlotAttribute, sizeof station->SlotAttribute);
  std::memcpy(station->ConnectStatus, plan.ConnectStatus, sizeof station->ConnectStatus);
  for (const VirtualModulePlan& modulePlan : plan.Modules) {
    CModule* module = NewModule(modulePlan);
    if (module != nullptr && !station->ModuleMap.SetAt(module->ModuleId, module)) {
      module->EndFrontend();
      delete module;
      module = nullptr;
    }
    if (module == nullptr) {
      DiscardStation(station);
      return nullptr;
    }
    if (module->ModuleId < StationSlotCount)
      station->ModuleExist[module->ModuleId] = 1;
  }
  return station;
}

/// The stations' link-table entries in the simulated communication library.
void EnterLinkTable(const VirtualStationPlan& plan) noexcept {
  SimStation entry;
  entry.Id = plan.Id;
  entry.Name = plan.Name.c_str();
  SimSetStation(entry);
}

bool FileStations(const char* fileName, const std::vector<VirtualStationPlan>& plans, CGUIDatabase& database,
                  CString& message) {
  for (const VirtualStationPlan& plan : plans) {
    CStation* filed = nullptr;
    if (database.StationMap.Lookup(plan.Id, filed)) {
      const std::string fault = std::string(fileName) + " [Station" + plan.Name + "] Id: station id " +
                                std::to_string(plan.Id) + " is already filed (the file loaded twice, or another " +
                                "station of that id)";
      message = PrintableText(fault).c_str();
      return false;
    }
  }
  std::vector<CStation*> made;
  made.reserve(plans.size());
  MadeStations.reserve(MadeStations.size() + plans.size());
  for (const VirtualStationPlan& plan : plans) {
    made.push_back(NewStation(plan));
    if (made.back() == nullptr || !database.StationMap.SetAt(plan.Id, made.back())) {
      for (CStation* station : made)
        if (station != nullptr) {
          database.StationMap.RemoveKey(station->StationId);
          DiscardStation(station);
        }
      message = "out of memory";
      return false;
    }
  }
  for (std::size_t index = 0; index < plans.size(); ++index) {
    MadeStations.push_back(made[index]);
    EnterLinkTable(plans[index]);
  }
  return true;
}
} // namespace

int LoadVirtualStations(LPCTSTR fileName, CGUIDatabase& database, CString& message) noexcept {
  try {
    const char* named = fileName != nullptr ? fileName : std::getenv(VirtualStationsVariable);
    if (named == nullptr || *named == '\0') {
      message.Format("no description file given and %s is not set", VirtualStationsVariable);
      return 0;
    }
    std::vector<VirtualStationPlan> plans;
    if (!ReadVirtualStationPlans(named, plans, message))
      return 0;
    return FileStations(named, plans, database, message) ? 1 : 0;
  } catch (const std::bad_alloc&) {
    message = "out of memory";
    return 0;
  }
}

void ReleaseVirtualStations(CGUIDatabase& database) noexcept {
  for (CStation* station : MadeStations) {
    CStation* filed = nullptr;
    if (database.StationMap.Lookup(station->StationId, filed) && filed == station)
      database.StationMap.RemoveKey(station->StationId);
    delete station;
  }
  MadeStations.clear();
}
