#include <zodavudaz/c/CallGuard.h>

std::recursive_mutex& InterfaceLock() noexcept {
  // Never destroyed: a thread may still call while the process exits.
  alignas(std::recursive_mutex) static unsigned char storage[sizeof(std::recursive_mutex)];
  static std::recursive_mutex* const lock = new (storage) std::recursive_mutex;
  return *lock;
}

int32_t zdz_call_locked(int32_t (*call)(void* context), void* context) {
  if (call == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] { return call(context); });
}
