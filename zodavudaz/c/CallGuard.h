// The boundary every C function crosses: the interface's lock, and no exception past it.
#ifndef ZODAVUDAZ_C_CALLGUARD_H
#define ZODAVUDAZ_C_CALLGUARD_H

#include <zodavudaz/c/LastError.h>
#include <zodavudaz/zodavudaz_c.h>

#include <mutex>
#include <new>
#include <system_error>

/// The process-wide lock of the C interface, re-entrant for the thread that holds it.
std::recursive_mutex& InterfaceLock() noexcept;

/// Runs body() under the interface's lock, after emptying the thread's last-error text, and
/// returns its status; memory that runs out becomes ZDZ_E_NO_MEMORY, a lock re-entered past the
/// system's depth ZDZ_E_ORDER.
template <typename BodyT>
int32_t GuardedCall(BodyT&& body) noexcept {
  ClearLastError();
  try {
    const std::lock_guard<std::recursive_mutex> hold(InterfaceLock());
    return body();
  } catch (const std::bad_alloc&) {
    return ZDZ_E_NO_MEMORY;
  } catch (const std::system_error&) {
    return ZDZ_E_ORDER;
  }
}

#endif
