#include <zodavudaz/sim/SimModule.h>

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/ThreadAddr.h>
#include <zodavudaz/sim/CommLayerAccess.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

namespace {
// Under the address sanitizer each reply takes a fresh block, so that a caller still reading an
// earlier reply shows up there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool FreshReplyBlocks = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool FreshReplyBlocks = true;
#else
constexpr bool FreshReplyBlocks = false;
#endif
#else
constexpr bool FreshReplyBlocks = false;
#endif
constexpr BYTE NoDataType = 0xFF;
constexpr BYTE FillByte = 0xA5;

DWORD StoredKey(WORD group, WORD cntlId) noexcept { return (DWORD{group} << 16) | MaskedCntlIdOf(cntlId); }

bool Matches(const SimFault& fault, BYTE group, WORD cntlId) noexcept {
  return fault.Times != 0 && (fault.Group == SimAny || fault.Group == group) &&
         (fault.CntlId == SimAny || fault.CntlId == cntlId);
}
} // namespace

DWORD SimWidthOf(WORD type) noexcept { return DWORD{1} << ((type >> 4) & 0x0F); }

DWORD SimCountOf(WORD type, std::size_t bytes) noexcept {
  return type == NoDataType ? 0 : static_cast<DWORD>(bytes / SimWidthOf(type));
}

SimModule::SimModule(const SimModuleConfig& config) : Settings(config), SeqTable{1, 2, 3, 4, 5, 6, 7, 8} {
  char text[64];
  std::snprintf(text, sizeof text, "Help of module %u, station %u", config.ModuleId, config.Station);
  Help = text;
}

WORD SimModule::Answer(const _ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option,
                       bool viaFrontend, bool frontendEnded) noexcept {
  try {
    const Request asked = ReadRequest(request);
    Record(asked, sync, option, viaFrontend);
    if (frontendEnded)
      return SimFrontendEnded;
    const std::optional<SimFault> fault = TakeFault(asked);
    if (fault && fault->Result != 0)
      return fault->Result;
    Reply answer = NaturalReply(asked);
    if (answer.Result != 0)
      return answer.Result;
    const DWORD count = Shape(answer, fault);
    Hold(request, answer, count, fault ? fault->PacketBytes : SimAll, sync);
    if (reply != nullptr)
      *reply = reinterpret_cast<_ModulePacket*>(Held.data());
    return 0;
  } catch (const std::bad_alloc&) {
    return SimOutOfMemory;
  }
}

const _ModulePacket* SimModule::HeldReply() const noexcept {
  return Held.empty() ? nullptr : reinterpret_cast<const _ModulePacket*>(Held.data());
}

DWORD SimModule::HeldDataBytes() const noexcept {
  return Held.empty() ? 0 : static_cast<DWORD>(Held.size() - sizeof(_ModulePacket));
}

SimModule::Request SimModule::ReadRequest(const _ModulePacket* request) {
  CEndianModulePacket packet(const_cast<_ModulePacket*>(request));
  const BYTE* data = static_cast<const BYTE*>(packet.GetData());
  return Request{static_cast<BYTE>(packet.GetCmdId() & CmdGroupMask), packet.GetCntl(), packet.GetParamType(),
                 std::vector<BYTE>(data, data + packet.GetDataSize())};
}

void SimModule::Record(const Request& request, CRplySync* sync, WORD option, bool viaFrontend) {
  SimQuery query;
  query.Group = request.Group;
  query.Cntl = request.Cntl;
  query.InType = request.InType;
  query.InCount = SimCountOf(request.InType, request.In.size());
  query.In = request.In;
  query.Capacity = PendingCapacity;
  query.Sync = sync;
  if (sync != nullptr) {
    query.SyncTimeOut = CommLayerAccess::TimeOut(*sync);
    query.SyncErrMsgMode = CommLayerAccess::ErrMsgMode(*sync);
  }
  query.Option = option;
  query.ViaFrontend = viaFrontend;
  Log.push_back(std::move(query));
  PendingCapacity = SimAll;
}

std::optional<SimFault> SimModule::TakeFault(const Request& request) {
  for (SimFault& fault : Faults) {
    if (!Matches(fault, request.Group, MaskedCntlIdOf(request.Cntl)))
      continue;
    if (fault.Times > 0)
      --fault.Times;
    return fault;
  }
  return std::nullopt;
}

// Returns the element count the reply will state.
DWORD SimModule::Shape(Reply& reply, const std::optional<SimFault>& fault) {
  Overclaims = false;
  if (!fault)
    return SimCountOf(reply.Type, reply.Data.size());
  reply.Data.insert(reply.Data.end(), fault->ExtraBytes, FillByte);
  if (fault->KeepBytes < reply.Data.size())
    reply.Data.resize(fault->KeepBytes);
  DWORD count = SimCountOf(reply.Type, reply.Data.size());
  if (fault->Type != SimAny)
    reply.Type = fault->Type;
  if (fault->ClaimCount != SimAll) {
    count = fault->ClaimCount;
    Overclaims = true;
  }
  return count;
}

// Freeing a large reply hands its pages back to the system, and the next large reply would fault
// them all in again: the block a reply replaces is kept for the next reply it can hold.
std::vector<BYTE> SimModule::BlockHolding(const std::vector<BYTE>& data) {
  std::vector<BYTE> block;
  if (!FreshReplyBlocks && Spare.capacity() >= sizeof(_ModulePacket) + data.size())
    block.swap(Spare);
  block.assign(sizeof(_ModulePacket), 0);
  block.insert(block.end(), data.begin(), data.end());
  return block;
}

void SimModule::Hold(const _ModulePacket* request, const Reply& reply, DWORD count, DWORD packetBytes,
                     CRplySync* sync) {
  std::vector<BYTE> block = BlockHolding(reply.Data);
  CEndianModulePacket asked(const_cast<_ModulePacket*>(request));
  CEndianModulePacket answer(reinterpret_cast<_ModulePacket*>(block.data()));
  const DWORD dataBytes = static_cast<DWORD>(reply.Data.size());
  const DWORD perPacket = std::max<DWORD>(packetBytes, 1);
  const DWORD packets = dataBytes <= perPacket ? 1 : static_cast<DWORD>((dataBytes - 1ull) / perPacket + 1);
  answer.SetSize(std::min(dataBytes, perPacket));
  answer.SetAllBytes(packets, dataBytes);
  answer.SetCurPacketNo(1);
  answer.SetAllPacket(packets);
  answer.SetModuleId(asked.GetModuleId());
  answer.SetCmdId(static_cast<WORD>((asked.GetCmdId() & CmdGroupMask) | CmdFlagReply));
  answer.SetCntlId(asked.GetCntl());
  answer.SetParamType(reply.Type);
  answer.SetVersion(asked.GetVersion());
  answer.SetParamNum(count);
  answer.SetThreadAddr(ThreadAddrOf(sync));
  Held.swap(block);
  if (!FreshReplyBlocks && block.capacity() > Spare.capacity())
    Spare.swap(block);
}

void SimModule::SetReply(WORD group, WORD cntlId, WORD type, std::vector<BYTE> data) {
  StoredReplies[StoredKey(group, cntlId)] = Reply{0, type, std::move(data)};
}

void SimModule::SetHelp(const char* text) { Help = text == nullptr ? "" : text; }

void SimModule::SetSeqInfo(WORD mode, std::vector<BYTE> table) {
  SeqMode = mode;
  SeqTable = std::move(table);
}

void SimModule::SetWaveInf(std::vector<WAVEINF> records) { WaveInf = std::move(records); }

void SimModule::AddFault(const SimFault& fault) { Faults.push_back(fault); }
