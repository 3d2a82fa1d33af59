#include "tools/demo/DemoScenes.h"

#include "tools/demo/DemoCodes.h"

#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/control/ModuleTest.h>
#include <zodavudaz/control/StartControls.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdio>

namespace {
constexpr WORD Bravo = 2;
constexpr WORD Slot = 2;

void ShowUnits() {
  SimModuleConfig config;
  config.Station = Bravo;
  config.ModuleId = Slot;
  config.Channels = 16;
  for (WORD channel = 0; channel < 3; ++channel) {
    WAVEINF record = SimGeneratedWaveInf(config, 0, channel);
    ChWaveInfo info;
    ZocSetChannelWaveInfo(&record, &info);
    std::printf("%s: unit \"%s\", second unit \"%s\", acquired %s %s\n", static_cast<LPCTSTR>(info.Name),
                static_cast<LPCTSTR>(info.Unit), static_cast<LPCTSTR>(info.SecondUnit), static_cast<LPCTSTR>(info.Date),
                static_cast<LPCTSTR>(info.Time));
  }
}

void ShowModuleTest() {
  WORD results[ModuleTestResultWords];
  // The simulated module answers an item's test with the item as its mask.
  const WORD result = ZocExecModuleTest(Bravo, 3, 0x05, results);
  std::printf("module test item 5 of slot 3 (group master 2): result %u (%s), mask 0x%04X, words 0x%X 0x%X 0x%X\n",
              result, ResultName(result), results[0], results[1], results[2], results[3]);
  const WORD beyond = ZocExecModuleTest(Bravo, 12, ModuleTestAllItems, results);
  std::printf("module test of slot 12: result %u (%s)\n", beyond, ResultName(beyond));
}

void PrintResult(const char* call, WORD result) { std::printf("%s: %u (%s)\n", call, result, ResultName(result)); }

void ShowPosts() {
  PrintResult("start button", ZocStartButton(Bravo, Slot));
  PrintResult("stop button", ZocStopButton(Bravo, Slot));
  PrintResult("start LED", ZocUpdateStartLED(0x0102, 0x0304, 0x0506));
  // Printed as unsigned: DWORD's width differs between the builds.
  for (const SimMessage& message : SimSeqThreadMessages())
    std::printf("sequence thread got 0x%X (%s): kind %u, start flag %u, station %u, module %u, file number %d\n",
                static_cast<unsigned>(message.Message), MessageName(message.Message), message.Record.MsgKind,
                static_cast<unsigned>(message.Record.StartFlag), message.Record.StationId, message.Record.ModuleId,
                message.TrigInfo.FileNum);
  for (const SimMessage& message : SimGuiThreadMessages()) {
    const unsigned value = static_cast<unsigned>(message.LParam);
    std::printf("GUI thread got 0x%X (%s): word 0x%X, value 0x%08X\n", static_cast<unsigned>(message.Message),
                MessageName(message.Message), static_cast<unsigned>(message.WParam), value);
    std::printf("  value = third's low byte 0x%02X (bits 24-31) | second's low byte 0x%02X (bits 16-23) | first "
                "0x%04X (bits 0-15)\n",
                value >> 24, (value >> 16) & 0xFF, value & 0xFFFF);
  }
}
} // namespace

void ShowControl() {
  std::printf("== Control functions on station Bravo ==\n");
  ShowUnits();
  ShowModuleTest();
  ShowPosts();
  std::printf("\n");
}
