#include <zodavudaz/platform/Ticks.h>

#include <cerrno>
#include <sched.h>
#include <time.h>

DWORD GetTickCount() noexcept {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  // Unsigned arithmetic wraps the way the framework's tick count does.
  return static_cast<DWORD>(static_cast<unsigned long long>(now.tv_sec) * 1000u +
                            static_cast<unsigned long long>(now.tv_nsec) / 1000000u);
}

namespace {
void SleepFor(timespec wait) noexcept {
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}
} // namespace

void Sleep(DWORD milliseconds) noexcept {
  if (milliseconds == 0) {
    sched_yield();
    return;
  }
  SleepFor({static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L});
}

void SleepMicroseconds(DWORD microseconds) noexcept {
  SleepFor({static_cast<time_t>(microseconds / 1000000u), static_cast<long>(microseconds % 1000000u) * 1000L});
}
