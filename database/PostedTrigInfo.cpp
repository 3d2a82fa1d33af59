#include <zodavudaz/database/PostedTrigInfo.h>

#include <cstring>
#include <new>
#include <utility>

namespace {
constexpr std::size_t KeptBytes = sizeof(ActOnTrigInfo) + sizeof(BYTE);

struct KeptBlock {
  KeptBlock* Next;
  BYTE Bytes[KeptBytes];
};

/// Every block ever handed out: the receiver never says when it is done with one, and it only
/// reads it, so equal blocks are shared and the list grows only with distinct settings.
class KeptBlocks {
public:
  KeptBlocks() noexcept = default;
  KeptBlocks(const KeptBlocks&) = delete;
  KeptBlocks& operator=(const KeptBlocks&) = delete;
  ~KeptBlocks() {
    while (Head != nullptr)
      delete std::exchange(Head, Head->Next);
  }

  const void* Keep(const BYTE (&bytes)[KeptBytes]) noexcept {
    for (const KeptBlock* block = Head; block != nullptr; block = block->Next)
      if (std::memcmp(block->Bytes, bytes, KeptBytes) == 0)
        return block->Bytes;
    KeptBlock* block = new (std::nothrow) KeptBlock;
    if (block == nullptr)
      return nullptr;
    std::memcpy(block->Bytes, bytes, KeptBytes);
    block->Next = Head;
    Head = block;
    return block->Bytes;
  }

private:
  KeptBlock* Head = nullptr;
};

KeptBlocks Kept;
} // namespace

const void* KeepPostedTrigInfo(const CModule& module) noexcept {
  BYTE bytes[KeptBytes];
  std::memcpy(bytes, &module.ActOnTrigInfo, sizeof module.ActOnTrigInfo);
  bytes[sizeof module.ActOnTrigInfo] = module.ModuleFlags;
  return Kept.Keep(bytes);
}
