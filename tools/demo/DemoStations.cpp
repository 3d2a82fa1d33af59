#include "tools/demo/DemoScenes.h"

#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/VirtualStationFile.h>

#include <cstdio>

bool FileDemoStations(CGUIDatabase& database, const char* descriptionFile) {
  database.Init();
  // The live sequence runs on a clock the demo steps, so that it prints the same on every run.
  SimSetSteppedClock(true);
  CString message;
  if (LoadVirtualStations(descriptionFile, database, message))
    return true;
  std::fprintf(stderr, "zdz-demo: %s\n", static_cast<LPCTSTR>(message));
  return false;
}

void UnfileDemoStations(CGUIDatabase& database) {
  database.Exit();
  ReleaseVirtualStations(database);
  // Exit ends the frontends' work; their objects go with the simulated frontend library.
  SimReset();
}
