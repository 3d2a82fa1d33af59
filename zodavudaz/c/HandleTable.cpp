#include <zodavudaz/c/HandleTable.h>

#include <atomic>

std::uintptr_t NewHandleNumber() noexcept {
  // Odd numbers from 0x1001: no handle is null or a small integer that a caller might pass.
  static std::atomic<std::uintptr_t> next{0x1001};
  return next.fetch_add(2, std::memory_order_relaxed);
}
