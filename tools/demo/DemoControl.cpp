#include "tools/demo/DemoScenes.h"

#include "tools/demo/DemoCodes.h"
#include "tools/demo/DemoMessages.h"

#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/control/ModuleTest.h>
#include <zodavudaz/control/StartControls.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdio>

namespace {
constexpr WORD ShownChannels = 3;
// The module test takes slots 0 to 8 (and 0xFF, 0xFFFF); slot 12 is refused on any station.
constexpr WORD UnusableSlot = 12;

/// A viewer turns each wave information record into its channel record.
void ShowUnits(CGUIDatabase& database, const DemoModule& target) {
  static WAVEINF records[100];
  WORD count = 0;
  CRplySync sync;
  const WORD result = database.GetWaveInfo(target.Station, target.Slot, 0, -1, 0, records, &count, &sync);
  std::printf("ZocSetChannelWaveInfo of the wave information of station %u module 0x%02X (result %u, %s):\n",
              target.Station, target.Slot, result, ResultName(result));
  for (WORD index = 0; index < count && index < ShownChannels; ++index) {
    ChWaveInfo info;
    ZocSetChannelWaveInfo(&records[index], &info);
    std::printf("  %s: unit \"%s\", second unit \"%s\", acquired %s %s\n", static_cast<LPCTSTR>(info.Name),
                static_cast<LPCTSTR>(info.Unit), static_cast<LPCTSTR>(info.SecondUnit), static_cast<LPCTSTR>(info.Date),
                static_cast<LPCTSTR>(info.Time));
  }
}

void ShowModuleTest(const DemoModule& tested, const char* how) {
  WORD results[ModuleTestResultWords];
  // The simulated module answers an item's test with the item as its mask.
  const WORD result = ZocExecModuleTest(tested.Station, tested.Slot, 0x05, results);
  std::printf("module test item 5 of station %u slot %u (%s): result %u (%s), mask 0x%04X, words 0x%X 0x%X 0x%X\n",
              tested.Station, tested.Slot, how, result, ResultName(result), results[0], results[1], results[2],
              results[3]);
  const WORD beyond = ZocExecModuleTest(tested.Station, UnusableSlot, ModuleTestAllItems, results);
  std::printf("module test of slot %u: result %u (%s)\n", UnusableSlot, beyond, ResultName(beyond));
}

void ShowModuleTests(const DemoTargets& targets) {
  if (!targets.TestedModule()) {
    std::printf("module test: skipped, no module to test\n");
    return;
  }
  char how[64] = "a module of no group";
  if (targets.GroupMaster)
    std::snprintf(how, sizeof how, "the test runs on its group master, slot %u", targets.GroupMaster->Slot);
  ShowModuleTest(*targets.TestedModule(), how);
}

void PrintResult(const char* call, WORD result) { std::printf("%s: %u (%s)\n", call, result, ResultName(result)); }

void ShowButtons(const DemoModule& target) {
  std::printf("start and stop buttons of station %u module 0x%02X:\n", target.Station, target.Slot);
  PrintResult("ZocStartButton", ZocStartButton(target.Station, target.Slot));
  ShowNewSeqThreadMessages();
  PrintResult("ZocStopButton", ZocStopButton(target.Station, target.Slot));
  ShowNewSeqThreadMessages();
}

void ShowStartLed() {
  PrintResult("ZocUpdateStartLED(0x0102, 0x0304, 0x0506)", ZocUpdateStartLED(0x0102, 0x0304, 0x0506));
  for (const SimMessage& message : SimGuiThreadMessages()) {
    const unsigned value = static_cast<unsigned>(message.LParam);
    std::printf("  the GUI thread received 0x%X (%s): word 0x%X, value 0x%08X\n",
                static_cast<unsigned>(message.Message), MessageName(message.Message),
                static_cast<unsigned>(message.WParam), value);
    std::printf("  value = third's low byte 0x%02X (bits 24-31) | second's low byte 0x%02X (bits 16-23) | first "
                "0x%04X (bits 0-15)\n",
                value >> 24, (value >> 16) & 0xFF, value & 0xFFFF);
  }
}
} // namespace

void ShowControl(CGUIDatabase& database, const DemoTargets& targets) {
  std::printf("== Control functions ==\n");
  if (targets.Acquisition)
    ShowUnits(database, *targets.Acquisition);
  ShowModuleTests(targets);
  if (targets.Acquisition)
    ShowButtons(*targets.Acquisition);
  else
    std::printf("start and stop buttons: skipped, no module to start\n");
  ShowStartLed();
  std::printf("\n");
}
