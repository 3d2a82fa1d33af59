// The receivers that the simulation's thread announces acquisitions to.
#ifndef ZODAVUDAZ_SIM_SIMRECEIVERS_H
#define ZODAVUDAZ_SIM_SIMRECEIVERS_H

#include <zodavudaz/sim/SimControl.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

/// Calls each registered receiver with no lock held, and lets one be removed at any time: a
/// removed receiver is never called again, and removal waits for a call in progress to return.
class SimReceivers {
public:
  /// The new receiver's id; 0 when out of memory.
  DWORD Add(SimReceiver receiver, void* context) noexcept;
  /// False for an id not registered.
  bool Remove(DWORD id) noexcept;
  /// Removes every receiver, waiting for a call in progress unless made from inside it.
  void Clear() noexcept;
  /// Calls every receiver registered now, in the order they were added, until stop is set.
  void Announce(const _ModulePacket* packet, const std::atomic<bool>& stop) noexcept;

private:
  struct Entry {
    DWORD Id;
    SimReceiver Receiver;
    void* Context;
  };
  void AwaitReturn(std::unique_lock<std::mutex>& lock, DWORD id) noexcept;

  std::mutex Mutex;
  std::condition_variable Returned;
  std::vector<Entry> Entries;
  DWORD NextId = 1;
  DWORD Calling = 0;
};

/// True on a thread while SimReceivers::Announce calls a receiver on it.
bool InsideReceiver() noexcept;

#endif
