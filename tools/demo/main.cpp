// Plays a front-end application against the simulated station and prints what the library answers.
#include "tools/demo/DemoScenes.h"
#include <zodavudaz/entry/LibraryEntry.h>

#include <zodavudaz/sim/VirtualStationFile.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr const char* ShippedDescription = "tools/demo/VirtualStations.ini";
}

// zdz-demo [SETTINGS-FOLDER [STATION-DESCRIPTION]]; without a description, the file that
// ZDZ_VIRTUAL_STATIONS names, else the shipped one.
int main(int argc, char** argv) {
  const char* settingsFolder = argc > 1 ? argv[1] : "tools/demo/settings";
  const char* description = argc > 2                                          ? argv[2]
                            : std::getenv(VirtualStationsVariable) != nullptr ? nullptr
                                                                              : ShippedDescription;
  ShowIntroduction(description != nullptr ? description : std::getenv(VirtualStationsVariable), settingsFolder);
  CGUIDatabase& database = *GetDataBase();
  database.SetCurrentPath(settingsFolder);
  if (!FileDemoStations(database, description))
    return 1;
  ShowLookups(database);
  ShowPackets(database);
  ShowSettings(database);
  ShowViewerProperty();
  ShowControl();
  ShowInstallAndDisplay(settingsFolder);
  ShowInterpreter();
  ShowRequests(database);
  UnfileDemoStations(database);
  return 0;
}
