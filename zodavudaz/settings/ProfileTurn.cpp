#include <zodavudaz/settings/ProfileTurn.h>

#include <zodavudaz/platform/Ticks.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <new>

namespace {
/// Every caller of this process that holds or waits for a turn, first come first, whatever its
/// path: queues hold a few callers, so one list and one wake-up serve all files.
struct TurnQueue {
  std::mutex Mutex;
  std::condition_variable Changed;
  ProfileTurn* First = nullptr;
  ProfileTurn* Last = nullptr;
};

TurnQueue& Queue() noexcept {
  // Never destroyed: a thread may still wait in it while the process ends.
  alignas(TurnQueue) static unsigned char storage[sizeof(TurnQueue)];
  static TurnQueue* const queue = new (storage) TurnQueue;
  return *queue;
}
} // namespace

bool ProfileTurn::Enter(LPCTSTR path, bool writing, DWORD milliseconds) noexcept {
  Leave();
  TurnQueue& queue = Queue();
  // The list is held only for a moment; but a child forked while another thread held it would
  // wait for ever, so the wait for it is bounded too.
  for (const DWORD start = GetTickCount(); !queue.Mutex.try_lock(); Sleep(0))
    if (GetTickCount() - start >= milliseconds)
      return false;
  const std::lock_guard<std::mutex> guard(queue.Mutex, std::adopt_lock);
  Path = path;
  Writing = writing;
  Ahead = queue.Last;
  Behind = nullptr;
  (Ahead != nullptr ? Ahead->Behind : queue.First) = this;
  queue.Last = this;
  Queued = true;
  return true;
}

bool ProfileTurn::IsHeldUpBy(const ProfileTurn& other) const noexcept {
  return (Writing || other.Writing) && std::strcmp(Path, other.Path) == 0;
}

bool ProfileTurn::IsServed() const noexcept {
  if (!Queued)
    return false;
  for (const ProfileTurn* other = Ahead; other != nullptr; other = other->Ahead)
    if (IsHeldUpBy(*other))
      return false;
  return true;
}

bool ProfileTurn::Wait(DWORD milliseconds) noexcept {
  TurnQueue& queue = Queue();
  std::unique_lock<std::mutex> guard(queue.Mutex);
  return queue.Changed.wait_for(guard, std::chrono::milliseconds(milliseconds), [this] { return IsServed(); });
}

void ProfileTurn::Leave() noexcept {
  if (!Queued)
    return;
  TurnQueue& queue = Queue();
  {
    const std::lock_guard<std::mutex> guard(queue.Mutex);
    (Ahead != nullptr ? Ahead->Behind : queue.First) = Behind;
    (Behind != nullptr ? Behind->Ahead : queue.Last) = Ahead;
    Ahead = Behind = nullptr;
    Queued = false;
  }
  queue.Changed.notify_all();
}
