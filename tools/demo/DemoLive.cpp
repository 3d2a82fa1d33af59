#include "tools/demo/DemoScenes.h"

#include "tools/demo/DemoCodes.h"
#include "tools/demo/DemoMessages.h"

#include <zodavudaz/control/StartControls.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdio>

namespace {
constexpr int ShownAcquisitions = 3;
// A little more than the module's period, so that the current value moves on between steps.
constexpr double Step = 1.002;

/// Prints each announcement as the application's receiver gets it, on the simulation's thread.
void PrintAnnouncement(const _ModulePacket* packet, void*) {
  SimAcquisition acquisition;
  if (SimReadAcqComplete(packet, acquisition))
    std::printf("  announced: station %u module 0x%02X acquisition %u, time stamp %u\n", acquisition.Station,
                acquisition.Module, unsigned{acquisition.Number}, unsigned{acquisition.TimeStamp});
}

void PrintCurrentValue(CGUIDatabase& database, const DemoModule& target) {
  double values[256] = {};
  DWORD size = sizeof values;
  WORD type = 0;
  CRplySync sync;
  const WORD result = database.GetCurrentData(target.Station, target.Slot, -1, &size, values, &type, &sync);
  std::printf("  current value of channel 0: %.3f (result %u, %s)\n", result == 0 && type == 0x32 ? values[0] : 0.0,
              result, ResultName(result));
}

void PrintSequenceFlags(const DemoModule& target) {
  std::printf("  IsSeqRun(%u, %u): %d, IsMeasEvent: %d\n", target.Station, target.Slot,
              ZosGetMgr()->IsSeqRun(target.Station, target.Slot), ZosGetMgr()->IsMeasEvent());
}
} // namespace

void ShowLiveSequence(CGUIDatabase& database, const DemoTargets& targets) {
  if (!targets.Acquisition) {
    std::printf("live sequence: skipped, no module to acquire\n");
    return;
  }
  const DemoModule& target = *targets.Acquisition;
  std::printf("a live sequence of station %u module 0x%02X, on the simulation's stepped clock:\n", target.Station,
              target.Slot);
  const DWORD receiver = SimAddReceiver(PrintAnnouncement, nullptr);
  std::printf("ZocStartButton: %u\n", ZocStartButton(target.Station, target.Slot));
  SimAdvance(0);
  ShowNewSeqThreadMessages();
  PrintSequenceFlags(target);
  for (int step = 0; step < ShownAcquisitions; ++step) {
    std::printf("%.3f s on:\n", Step);
    SimAdvance(Step);
    PrintCurrentValue(database, target);
  }
  std::printf("ZocStopButton: %u\n", ZocStopButton(target.Station, target.Slot));
  SimAdvance(0);
  ShowNewSeqThreadMessages();
  PrintSequenceFlags(target);
  SimRemoveReceiver(receiver);
}
