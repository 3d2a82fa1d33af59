// Plays a front-end application against simulated stations and prints what the library answers.
#include "tools/demo/DemoFiles.h"
#include "tools/demo/DemoScenes.h"
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/sim/VirtualStationFile.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr int BadArguments = 2;
constexpr int CannotPlay = 1;

void PrintUsage(std::FILE* out, const std::string& shipped) {
  std::fprintf(out,
               "usage: zdz-demo [SETTINGS-FOLDER [STATION-FILE]]\n"
               "Plays a front-end application of the measurement system against simulated stations and prints\n"
               "what the library answers, scene by scene.\n"
               "  SETTINGS-FOLDER  the settings to start from (Mardel.tmp, Mardel.ini, Registry.txt); the demo\n"
               "                   works on a copy in a temporary folder and changes nothing here\n"
               "                   (default: %s/settings)\n"
               "  STATION-FILE     the stations to play (format: docs/virtual-stations.md); default: the file\n"
               "                   that ZDZ_VIRTUAL_STATIONS names, else %s/VirtualStations.ini\n"
               "Exit status: 0 played, 1 the station file or the settings folder cannot be used, 2 bad arguments.\n",
               shipped.c_str(), shipped.c_str());
}

/// What to play: the settings folder to copy and the station file.
struct DemoInputs {
  std::string SettingsFolder;
  std::string StationFile;
};

/// The inputs the arguments, the environment and the shipped files give; false when the arguments
/// ask for something else (exit then holds the status).
bool ReadArguments(int argc, char** argv, DemoInputs& inputs, int& exit) {
  const std::string shipped = ShippedDataFolder();
  const bool help = argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
  const bool option = argc > 1 && argv[1][0] == '-' && !help;
  if (help || option || argc > 3) {
    PrintUsage(help ? stdout : stderr, shipped);
    exit = help ? 0 : BadArguments;
    return false;
  }
  const char* named = std::getenv(VirtualStationsVariable);
  inputs.SettingsFolder = argc > 1 ? argv[1] : shipped + "/settings";
  inputs.StationFile = argc > 2                             ? argv[2]
                       : named != nullptr && *named != '\0' ? named
                                                            : shipped + "/VirtualStations.ini";
  return true;
}

void Play(CGUIDatabase& database, const DemoInputs& inputs, const char* settingsCopy) {
  const DemoTargets targets = ChooseTargets(database);
  ShowIntroduction(inputs.StationFile.c_str(), inputs.SettingsFolder.c_str(), settingsCopy, targets);
  ShowLookups(database);
  ShowPackets(database, targets);
  ShowSettings(database, targets);
  ShowViewerProperty(targets);
  ShowControl(database, targets);
  ShowLiveSequence(database, targets);
  ShowInstallAndDisplay(settingsCopy);
  ShowInterpreter();
  ShowRequests(database, targets);
}
} // namespace

int main(int argc, char** argv) {
  DemoInputs inputs;
  int exit = 0;
  if (!ReadArguments(argc, argv, inputs, exit))
    return exit;
  SettingsCopy settings;
  std::string error;
  if (!settings.Make(inputs.SettingsFolder, error)) {
    std::fprintf(stderr, "zdz-demo: %s\n", error.c_str());
    return CannotPlay;
  }
  CGUIDatabase& database = *GetDataBase();
  database.SetCurrentPath(settings.GetFolder().c_str());
  if (!FileDemoStations(database, inputs.StationFile.c_str()))
    return CannotPlay;
  Play(database, inputs, settings.GetFolder().c_str());
  UnfileDemoStations(database);
  return 0;
}
