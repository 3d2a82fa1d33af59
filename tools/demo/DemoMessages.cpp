#include "tools/demo/DemoMessages.h"

#include "tools/demo/DemoCodes.h"
#include <zodavudaz/sim/SimControl.h>

#include <cstdio>
#include <vector>

void ShowNewSeqThreadMessages() {
  // The simulated thread lists every message since the start; the earlier ones were shown.
  static std::size_t shown = 0;
  const std::vector<SimMessage> messages = SimSeqThreadMessages();
  if (shown == messages.size())
    std::printf("  the sequence thread received nothing\n");
  for (; shown < messages.size(); ++shown) {
    const SimMessage& message = messages[shown];
    const _SeqMsgParam& record = message.Record;
    // Printed as unsigned: DWORD's width differs between the builds.
    std::printf("  the sequence thread received 0x%03X (%s): kind %u (%s), start flag %u, stop flag %u; station %u "
                "module 0x%02X, %u module(s) in its group; trigger block: file number %d, trigger value %d, save to "
                "\"%s\"\n",
                static_cast<unsigned>(message.Message), MessageName(message.Message), record.MsgKind,
                MessageKindName(record.MsgKind), static_cast<unsigned>(record.StartFlag),
                static_cast<unsigned>(record.StopFlag), record.StationId, record.ModuleId, record.ConnectNum,
                message.TrigInfo.FileNum, message.TrigInfo.TrigValue, message.TrigInfo.SaveDirectory);
  }
}
