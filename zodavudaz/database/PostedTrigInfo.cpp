#include <zodavudaz/database/PostedTrigInfo.h>

#include <zodavudaz/packets/MessageWords.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

#include <cstring>
#include <map>
#include <memory>
#include <new>

namespace {
constexpr std::size_t KeptBytes = sizeof(ActOnTrigInfo) + sizeof(BYTE);

struct KeptBlock {
  BYTE Bytes[KeptBytes];
};

/// The blocks handed out, by station and slot: the receiver never says when it is done with one,
/// so each stays until unload, and a module's next post reuses it.
std::map<DWORD, std::unique_ptr<KeptBlock>> Kept;

DWORD KeyOf(WORD station, WORD slot) noexcept { return static_cast<DWORD>(station) << 16 | slot; }

void Fill(KeptBlock& block, const CModule& module) noexcept {
  std::memcpy(block.Bytes, &module.ActOnTrigInfo, sizeof module.ActOnTrigInfo);
  block.Bytes[sizeof module.ActOnTrigInfo] = module.ModuleFlags;
}

bool Post(DWORD message, const KeptBlock& block, _SeqMsgParam* record) noexcept {
  return GetMgr()->PostSeqThread(message, AddressWParam(block.Bytes), AddressLParam(record)) == PostedOk;
}
} // namespace

bool PostWithTrigInfo(WORD station, WORD slot, const CModule& module, DWORD message, _SeqMsgParam* record) noexcept {
  const DWORD key = KeyOf(station, slot);
  if (const auto found = Kept.find(key); found != Kept.end()) {
    // Messages still queued read this block: a refused post leaves it as they knew it.
    const KeptBlock earlier = *found->second;
    Fill(*found->second, module);
    if (Post(message, *found->second, record))
      return true;
    *found->second = earlier;
    return false;
  }
  std::unique_ptr<KeptBlock> block(new (std::nothrow) KeptBlock);
  if (block == nullptr)
    return false;
  Fill(*block, module);
  // Filed before the post, so that a failed filing never leaves a posted address unkept.
  try {
    const auto filed = Kept.emplace(key, std::move(block)).first;
    if (Post(message, *filed->second, record))
      return true;
    Kept.erase(filed);
  } catch (const std::bad_alloc&) {
  }
  return false;
}
