#include <zodavudaz/packets/ThreadAddr.h>

#include <zodavudaz/packets/CRplySync.h>

#include <cstdint>

namespace {
// A handle is a table index in its low bits and the entry's generation above them; generations
// start at 1, so no handle is 0, and a released handle never names the entry's next record.
constexpr int IndexBits = 12;
static_assert(DWORD{1} << IndexBits == ThreadAddrCapacity);
constexpr DWORD IndexMask = ThreadAddrCapacity - 1;
constexpr DWORD LastGeneration = ~DWORD{0} >> IndexBits;

struct Entry {
  std::atomic<DWORD> Generation{0};
  // Null while free; Claiming while an issuer fills it in.
  std::atomic<CRplySync*> Record{nullptr};
};

Entry Table[ThreadAddrCapacity];
std::atomic<DWORD> NextIndex{0};
alignas(CRplySync) unsigned char ClaimMark;
CRplySync* const Claiming = reinterpret_cast<CRplySync*>(&ClaimMark);

DWORD NextGeneration(DWORD generation) noexcept { return generation == LastGeneration ? 1 : generation + 1; }

// The generation goes up before the record is published: a resolver that sees the record also sees
// the new generation, so an old handle of the entry never resolves to it.
DWORD Issue(CRplySync* sync) noexcept {
  for (DWORD tries = 0; tries < ThreadAddrCapacity; ++tries) {
    const DWORD index = NextIndex.fetch_add(1, std::memory_order_relaxed) & IndexMask;
    Entry& entry = Table[index];
    CRplySync* free = nullptr;
    if (!entry.Record.compare_exchange_strong(free, Claiming, std::memory_order_acquire))
      continue;
    const DWORD generation = NextGeneration(entry.Generation.load(std::memory_order_relaxed));
    entry.Generation.store(generation, std::memory_order_relaxed);
    entry.Record.store(sync, std::memory_order_release);
    return generation << IndexBits | index;
  }
  return 0;
}

CRplySync* Resolve(DWORD handle) noexcept {
  const Entry& entry = Table[handle & IndexMask];
  const DWORD generation = handle >> IndexBits;
  if (generation == 0 || entry.Generation.load(std::memory_order_acquire) != generation)
    return nullptr;
  CRplySync* const record = entry.Record.load(std::memory_order_acquire);
  if (record == nullptr || record == Claiming || entry.Generation.load(std::memory_order_relaxed) != generation)
    return nullptr;
  return record;
}
} // namespace

DWORD ThreadAddrOf(CRplySync* sync) noexcept { return sync == nullptr ? 0 : sync->Slot.Word(sync); }

DWORD ThreadAddrHandle<false>::Word(CRplySync* owner) noexcept {
  if (const DWORD handle = Handle.load(std::memory_order_acquire); handle != 0)
    return handle;
  const DWORD issued = Issue(owner);
  DWORD earlier = 0;
  if (issued == 0 || Handle.compare_exchange_strong(earlier, issued, std::memory_order_acq_rel))
    return issued;
  // Another thread issued one for the record meanwhile: the record keeps that one.
  ReleaseThreadAddr(issued);
  return earlier;
}

CRplySync* RplySyncOf(DWORD threadAddr) noexcept {
  if constexpr (Is32BitBuild)
    return reinterpret_cast<CRplySync*>(static_cast<std::uintptr_t>(threadAddr)); // NOLINT(performance-no-int-to-ptr)
  else
    return Resolve(threadAddr);
}

void ReleaseThreadAddr(DWORD handle) noexcept {
  Entry& entry = Table[handle & IndexMask];
  // Only the holder releases, so the entry cannot change generation meanwhile.
  if (handle >> IndexBits != 0 && entry.Generation.load(std::memory_order_relaxed) == handle >> IndexBits)
    entry.Record.store(nullptr, std::memory_order_release);
}
