#include "tools/demo/DemoScenes.h"

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
  std::printf("module test item 5 of slot 3 (group master 2): result %u, mask 0x%04X, words 0x%X 0x%X 0x%X\n", result,
              results[0], results[1], results[2], results[3]);
  std::printf("module test of slot 12: result %u\n", ZocExecModuleTest(Bravo, 12, ModuleTestAllItems, results));
}

void ShowPosts() {
  std::printf("start button: %u\n", ZocStartButton(Bravo, Slot));
  std::printf("stop button: %u\n", ZocStopButton(Bravo, Slot));
  std::printf("start LED: %u\n", ZocUpdateStartLED(0x0102, 0x0304, 0x0506));
  for (const SimMessage& message : SimSeqThreadMessages())
    std::printf("sequence thread got 0x%lX: kind %u, start %lu, station %u, module %u, file number %d\n",
                static_cast<unsigned long>(message.Message), message.Record.MsgKind,
                static_cast<unsigned long>(message.Record.StartFlag), message.Record.StationId, message.Record.ModuleId,
                message.TrigInfo.FileNum);
  for (const SimMessage& message : SimGuiThreadMessages())
    std::printf("GUI thread got 0x%lX: 0x%lX, 0x%08lX\n", static_cast<unsigned long>(message.Message), message.WParam,
                static_cast<unsigned long>(message.LParam));
}
} // namespace

void ShowControl() {
  std::printf("== Control functions on station Bravo ==\n");
  ShowUnits();
  ShowModuleTest();
  ShowPosts();
  std::printf("\n");
}
