// Fuzzes the virtual station description reader: a fuzzed description is either loaded whole, its
// stations filed and their modules answering, or refused with a message that names the file and
// nothing filed.
//
// Input: the description file's bytes.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzScratchFile.h"
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/VirtualStationFile.h>

#include <cstring>
#include <fstream>
#include <string>

namespace {
const std::string& FilePath() { return FuzzScratchFile("Stations.ini"); }

/// Every filed module with channels answers a wave-information request.
void CheckModules(CGUIDatabase& database) {
  for (POSITION position = database.StationMap.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CStation* station = nullptr;
    database.StationMap.GetNextAssoc(position, id, station);
    for (POSITION inner = station->ModuleMap.GetStartPosition(); inner != nullptr;) {
      WORD moduleId = 0;
      CModule* module = nullptr;
      station->ModuleMap.GetNextAssoc(inner, moduleId, module);
      // GetWaveInfo's buffer holds 100 records; a module without channels has no wave information.
      static WAVEINF waves[100];
      WORD records = 0;
      CRplySync sync;
      const WORD result = database.GetWaveInfo(id, moduleId, 0, -1, 0, waves, &records, &sync);
      Check(module->AcqChannel == 0 || (result == 0 && records != 0));
    }
  }
}
} // namespace

// The leak checker cannot stop the world under the user-mode emulator and hangs.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
  CGUIDatabase database;
  database.Init();
  CString message;
  const int loaded = LoadVirtualStations(FilePath().c_str(), database, message);
  Check(loaded == 0 || message.IsEmpty());
  // A refusal files nothing, and its message names the file first.
  Check(loaded != 0 ||
        (database.StationMap.GetCount() == 0 && std::strncmp(message, FilePath().c_str(), FilePath().size()) == 0));
  CheckModules(database);
  database.Exit();
  ReleaseVirtualStations(database);
  Check(database.StationMap.GetCount() == 0);
  SimReset();
  return 0;
}
