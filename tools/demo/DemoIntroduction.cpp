#include "tools/demo/DemoScenes.h"

#include <cstdio>

namespace {
void ShowTarget(const char* scenes, const std::optional<DemoModule>& module, const char* chosen, const char* wanted) {
  if (module)
    std::printf("    %s: station %u, module 0x%02X (%s)\n", scenes, module->Station, module->Slot, chosen);
  else
    std::printf("    %s: skipped, the station file has %s\n", scenes, wanted);
}
} // namespace

void ShowIntroduction(const char* descriptionFile, const char* settingsSource, const char* settingsCopy,
                      const DemoTargets& targets) {
  std::printf("zdz-demo plays a front-end application of the measurement system against simulated stations:\n"
              "  stations, modules and waveforms from %s,\n"
              "  stored settings from %s, copied to %s (the demo writes there only; removed at the end).\n"
              "  Requests answer 0 (success) or a code named beside it; look-ups and settings calls 1 (found) or 0.\n"
              "  The scenes play whatever modules the station file offers:\n",
              descriptionFile, settingsSource, settingsCopy);
  ShowTarget("acquired data, queries, viewer settings, buttons", targets.Acquisition,
             "the first module with channels outside station 0", "no module with channels outside station 0");
  if (targets.GroupMaster)
    std::printf("    module test: station %u, module 0x%02X (the second of the first connected group of modules)\n",
                targets.TestedModule()->Station, targets.TestedModule()->Slot);
  else
    ShowTarget("module test", targets.Acquisition, "the one above: the station file has no connected group of modules",
               "no module to test");
  if (targets.FrontEnd)
    std::printf("    front-end usage registry: front end 0x%02X (the first entry of station 0, which holds the front "
                "ends)\n",
                *targets.FrontEnd);
  else
    std::printf("    front-end usage registry: skipped, the station file has no front end (a module of station 0)\n");
  std::printf("\n");
}
