// The stations of a description file as read, checked and ready to be made.
#ifndef ZODAVUDAZ_SIM_VIRTUALSTATIONPLAN_H
#define ZODAVUDAZ_SIM_VIRTUALSTATIONPLAN_H

#include <zodavudaz/database/CStation.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/sim/SimControl.h>

#include <string>
#include <vector>

/// A module of a described station; Config names its station, module id, channels and waveforms.
struct VirtualModulePlan {
  std::string Product;
  DWORD ProductWord = 0;
  SimModuleConfig Config;
};

struct VirtualStationPlan {
  WORD Id = 0;
  std::string Name;
  std::string Model;
  BYTE SlotAttribute[StationSlotCount] = {};
  BYTE ConnectStatus[StationSlotCount] = {};
  std::vector<VirtualModulePlan> Modules;
  /// The station's default acquisition settings of its modules.
  SimAcqMode Acquisition = SimAcqMode::Still;
  double Period = 0;
  DWORD Seed = 0;
};

/// Reads and checks every station that fileName describes; false, with a message naming the file,
/// section and key, at the first fault (plans then hold what was read so far).
bool ReadVirtualStationPlans(LPCTSTR fileName, std::vector<VirtualStationPlan>& plans, CString& message);

#endif
