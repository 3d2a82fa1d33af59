// The thread-address word of a module or semi-module packet, which names the requester's reply record.
#ifndef ZODAVUDAZ_PACKETS_THREADADDR_H
#define ZODAVUDAZ_PACKETS_THREADADDR_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

#include <atomic>
#include <cstdint>

class CRplySync;

/// Reply records that hold a thread-address handle at once on 64-bit.
constexpr DWORD ThreadAddrCapacity = 4096;

/// The word a packet carries for sync. The 32-bit build carries the address itself. On 64-bit an
/// address does not fit, so the word is a handle issued for the record on its first use, the same
/// for every later packet until the record is invalidated or destroyed; 0 (invalid) for null, and
/// while ThreadAddrCapacity other records hold handles. Safe to call from any thread.
ZODAVUDAZ_EXPORT DWORD ThreadAddrOf(CRplySync* sync) noexcept;
/// The record that a thread-address word names: the address itself in the 32-bit build; on 64-bit
/// the record whose live handle it is, null for 0 and for an unknown or released handle. Takes no
/// lock, so that receiving threads may resolve while application threads issue.
ZODAVUDAZ_EXPORT CRplySync* RplySyncOf(DWORD threadAddr) noexcept;
/// Gives back a handle that ThreadAddrOf issued (64-bit); the record calls it when it is
/// invalidated or destroyed.
ZODAVUDAZ_EXPORT void ReleaseThreadAddr(DWORD handle) noexcept;

/// What a reply record keeps of its thread-address handle: nothing in the 32-bit build.
template <bool Plain>
class ThreadAddrHandle {
public:
  void Release() noexcept {}
  /// The word for owner, the record that holds this: its address.
  static DWORD Word(CRplySync* owner) noexcept { return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(owner)); }
};

template <>
class ThreadAddrHandle<false> {
public:
  ThreadAddrHandle() noexcept = default;
  // A copy is another record: it gets its own handle when it goes into a packet.
  ThreadAddrHandle(const ThreadAddrHandle& /*other*/) noexcept {}
  ThreadAddrHandle& operator=(const ThreadAddrHandle& /*other*/) noexcept { return *this; }
  ~ThreadAddrHandle() { Release(); }

  void Release() noexcept {
    if (const DWORD handle = Handle.exchange(0, std::memory_order_acq_rel); handle != 0)
      ReleaseThreadAddr(handle);
  }

  /// The word for owner, the record that holds this: its handle, issued on first use.
  DWORD Word(CRplySync* owner) noexcept;

private:
  std::atomic<DWORD> Handle{0};
};

#endif
