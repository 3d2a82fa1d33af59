#include <zodavudaz/sim/SimReceivers.h>

#include <algorithm>
#include <new>

namespace {
thread_local bool CallingReceiver = false;
} // namespace

bool InsideReceiver() noexcept { return CallingReceiver; }

DWORD SimReceivers::Add(SimReceiver receiver, void* context) noexcept {
  if (receiver == nullptr)
    return 0;
  const std::lock_guard<std::mutex> lock(Mutex);
  try {
    Entries.push_back(Entry{NextId, receiver, context});
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return NextId++;
}

// A receiver removing itself, or another from inside its call, must not wait for its own return.
void SimReceivers::AwaitReturn(std::unique_lock<std::mutex>& lock, DWORD id) noexcept {
  if (!CallingReceiver)
    Returned.wait(lock, [&] { return Calling == 0 || (id != 0 && Calling != id); });
}

bool SimReceivers::Remove(DWORD id) noexcept {
  std::unique_lock<std::mutex> lock(Mutex);
  const auto found = std::find_if(Entries.begin(), Entries.end(), [id](const Entry& each) { return each.Id == id; });
  if (id == 0 || found == Entries.end())
    return false;
  Entries.erase(found);
  AwaitReturn(lock, id);
  return true;
}

void SimReceivers::Clear() noexcept {
  std::unique_lock<std::mutex> lock(Mutex);
  Entries.clear();
  AwaitReturn(lock, 0);
}

// Ids grow with each Add, so "the next one after the last called" survives removals between calls.
void SimReceivers::Announce(const _ModulePacket* packet, const std::atomic<bool>& stop) noexcept {
  std::unique_lock<std::mutex> lock(Mutex);
  for (DWORD last = 0; !stop;) {
    const auto next =
        std::find_if(Entries.begin(), Entries.end(), [last](const Entry& each) { return each.Id > last; });
    if (next == Entries.end())
      return;
    const Entry called = *next;
    last = called.Id;
    Calling = called.Id;
    lock.unlock();
    CallingReceiver = true;
    called.Receiver(packet, called.Context);
    CallingReceiver = false;
    lock.lock();
    Calling = 0;
    Returned.notify_all();
  }
}
