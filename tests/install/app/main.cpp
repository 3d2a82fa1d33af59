// Uses the installed headers and libraries: one settings value written and read back, one viewer
// record made and released, a module of the simulated station filed and reached through the
// database. Prints "installed library works" and the loaded library's version.
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/zodavudaz.h>

#include <cstdio>

static_assert(ZODAVUDAZ_VERSION_MAJOR >= 1 && ZODAVUDAZ_VERSION_MINOR >= 0 && ZODAVUDAZ_VERSION_PATCH >= 0);

namespace {
bool StoresSetting(const char* file) {
  CString value;
  return WriteProfileStringEx(file, "Section", "Key", "Value") == 1 &&
         GetProfileStringEx(file, "Section", "Key", value) == 1 && value == "Value";
}

bool MakesViewerRecord() {
  ViewerProperty* record = CreateViewerProperty(2);
  const bool made = record != nullptr && GetGrNum(record) == 0;
  ReleaseViewerProperty(record);
  return made;
}

bool ReachesSimulatedModule() {
  CGUIDatabase& database = *GetDataBase();
  CStation station;
  station.Name = "Bench";
  CModule* module = new CModule;
  module->ModuleId = 2;
  module->Frontend = SimCreateFrontend(SimModuleConfig{1, 2});
  station.ModuleMap.SetAt(2, module);
  database.StationMap.SetAt(1, &station);
  DWORD productId = 0;
  const bool reached = ZocGetFrontEnd1(1, 2) == module->Frontend && ZocGetProductId(1, 2, &productId) == 0;
  database.Exit();
  SimReset();
  return reached;
}
} // namespace

int main(int argc, char** argv) {
  if (argc != 2)
    return 2;
  if (!StoresSetting(argv[1]) || !MakesViewerRecord() || !ReachesSimulatedModule())
    return 1;
  std::printf("installed library works (version %s)\n", GetZoDavudazVersion(nullptr, nullptr, nullptr));
  return 0;
}
