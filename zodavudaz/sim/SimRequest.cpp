#include <zodavudaz/sim/SimRequest.h>

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/ThreadAddr.h>
#include <zodavudaz/sim/SimControl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace {
constexpr WORD NoDataType = 0xFF;
// A request larger than this is refused rather than allocated.
constexpr unsigned long long MaxRequestBytes = 16ull << 20;

/// The bytes of inCount elements of inType; above MaxRequestBytes when it cannot be sent.
unsigned long long InputBytes(WORD inType, DWORD inCount) noexcept {
  if (inType == NoDataType)
    return 0;
  const unsigned long long width = SimWidthOf(inType);
  return inCount > MaxRequestBytes / width ? MaxRequestBytes + 1 : inCount * width;
}

WORD BuildRequest(const SimTarget& target, const SimCall& call, std::vector<BYTE>& block) {
  const unsigned long long bytes = InputBytes(call.InType, call.InCount);
  if (bytes > MaxRequestBytes || (bytes > 0 && call.In == nullptr))
    return SimBadRequest;
  block.assign(sizeof(_ModulePacket) + bytes, 0);
  if (bytes > 0)
    std::memcpy(block.data() + sizeof(_ModulePacket), call.In, bytes);
  CEndianModulePacket packet(reinterpret_cast<_ModulePacket*>(block.data()));
  packet.SetSize(static_cast<DWORD>(bytes));
  packet.SetAllBytes(1, static_cast<DWORD>(bytes));
  packet.SetCurPacketNo(1);
  packet.SetAllPacket(1);
  packet.SetModuleId(target.ModuleId);
  packet.SetCmdId(call.Group & CmdGroupMask);
  packet.SetCntlId(call.Cntl);
  packet.SetParamType(call.InType);
  packet.SetVersion(1);
  packet.SetParamNum(call.InCount);
  packet.SetThreadAddr(ThreadAddrOf(call.Sync));
  return 0;
}
} // namespace

WORD SimExchange(const SimTarget& target, const SimCall& call, _ModulePacket** reply) noexcept {
  if (target.Frontend == nullptr && target.Module == nullptr)
    return SimNoModule;
  try {
    std::vector<BYTE> block;
    if (const WORD refused = BuildRequest(target, call, block); refused != 0)
      return refused;
    _ModulePacket* request = reinterpret_cast<_ModulePacket*>(block.data());
    _ModulePacket* answer = nullptr;
    const WORD result = target.Frontend != nullptr
                            ? target.Frontend->Query_(request, &answer, call.Sync, call.Option)
                            : target.Module->Answer(request, &answer, call.Sync, call.Option, false, false);
    if (result == 0 && reply != nullptr)
      *reply = answer;
    return result;
  } catch (const std::bad_alloc&) {
    return SimOutOfMemory;
  }
}

WORD SimExchangeForPointer(const SimTarget& target, const SimCall& call, void** out, WORD* outType,
                           DWORD* outCount) noexcept {
  _ModulePacket* reply = nullptr;
  const WORD result = SimExchange(target, call, &reply);
  if (result != 0)
    return result;
  CEndianModulePacket answer(reply);
  const WORD type = answer.GetParamType();
  // The frontend joined the data itself, so its count never claims more than it holds.
  const DWORD held = target.Module != nullptr ? target.Module->HeldDataBytes() : answer.GetDataSize();
  if (out != nullptr)
    *out = answer.GetData();
  if (outType != nullptr)
    *outType = type;
  if (outCount != nullptr)
    *outCount = std::min(answer.GetParamNum(), SimCountOf(type, held));
  return 0;
}

WORD SimExchangeInto(const SimTarget& target, const SimCall& call, void* buffer, DWORD capacity, WORD* outType,
                     DWORD* outCount) noexcept {
  if (target.Module != nullptr)
    target.Module->SetPendingCapacity(capacity);
  _ModulePacket* reply = nullptr;
  const WORD result = SimExchange(target, call, &reply);
  if (target.Module != nullptr)
    target.Module->SetPendingCapacity(SimAll);
  if (result != 0)
    return result;
  CEndianModulePacket answer(reply);
  const DWORD held = target.Module != nullptr ? target.Module->HeldDataBytes() : answer.GetDataSize();
  const DWORD copied = buffer == nullptr ? 0 : std::min(held, capacity);
  if (copied > 0)
    std::memcpy(buffer, answer.GetData(), copied);
  const WORD type = answer.GetParamType();
  if (outType != nullptr)
    *outType = type;
  if (outCount != nullptr) {
    const bool claims = target.Module != nullptr && target.Module->HeldReplyOverclaims();
    *outCount = claims ? answer.GetParamNum() : std::min(answer.GetParamNum(), SimCountOf(type, copied));
  }
  return 0;
}
