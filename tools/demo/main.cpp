// Plays a front-end application against the simulated station and prints what the library answers.
#include "tools/demo/DemoScenes.h"
#include <zodavudaz/entry/LibraryEntry.h>

#include <cstdio>

int main(int argc, char** argv) {
  const char* settingsFolder = argc > 1 ? argv[1] : "tools/demo/settings";
  CGUIDatabase& database = *GetDataBase();
  database.SetCurrentPath(settingsFolder);
  FileDemoStations(database);
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
