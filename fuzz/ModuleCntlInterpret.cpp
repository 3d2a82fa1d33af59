// Arbitrary module packets, 32 bytes each, fed in turn to one interpreter: every packet calls the
// handlers that an independent model of the dispatch names, each handler sees its packet, and a
// trailing short packet stands for a null one, which changes nothing.
#include "fuzz/FuzzCheck.h"
#include "tests/support/ModuleCntlDispatchModel.h"
#include "tests/support/RecordingModuleCntl.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {
void InterpretOne(RecordingModuleCntl& interpreter, _ModulePacket* packet) {
  const CEndianModulePacket view(packet);
  interpreter.Clear();
  interpreter.Interpret(packet);
  Check(interpreter.Calls() == ModelCalls(static_cast<BYTE>(view.GetCmdId()), view.GetCntl()));
  Check(interpreter.CallCount == 0 || interpreter.SeenPacket == packet);
  Check(interpreter.GetPacketModuleId() == view.GetModuleId() && interpreter.GetPacketCntlId() == view.GetCntl());
}

void InterpretNull(RecordingModuleCntl& interpreter) {
  const WORD moduleId = interpreter.GetPacketModuleId();
  const WORD cntl = interpreter.GetPacketCntlId();
  interpreter.Clear();
  interpreter.Interpret(nullptr);
  Check(interpreter.CallCount == 0);
  Check(interpreter.GetPacketModuleId() == moduleId && interpreter.GetPacketCntlId() == cntl);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Each packet has a block of its own, so that a read past its 32 bytes is caught; all stay
  // alive because the interpreter keeps the last one.
  std::vector<std::vector<BYTE>> packets;
  for (std::size_t at = 0; at + sizeof(_ModulePacket) <= size; at += sizeof(_ModulePacket))
    packets.emplace_back(data + at, data + at + sizeof(_ModulePacket));
  RecordingModuleCntl interpreter;
  for (std::vector<BYTE>& packet : packets)
    InterpretOne(interpreter, reinterpret_cast<_ModulePacket*>(packet.data()));
  if (size % sizeof(_ModulePacket) != 0)
    InterpretNull(interpreter);
  return 0;
}
