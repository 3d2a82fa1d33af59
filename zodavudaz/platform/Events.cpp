#include <zodavudaz/platform/Events.h>

#include <new>

namespace {
struct EventObject {
  bool ManualReset;
  bool Signalled;
};
} // namespace

HANDLE CreateEventA(LPVOID /*attributes*/, BOOL manualReset, BOOL initialState, LPCTSTR /*name*/) noexcept {
  return new (std::nothrow) EventObject{manualReset != 0, initialState != 0};
}

BOOL CloseHandle(HANDLE handle) noexcept {
  if (handle == nullptr)
    return 0;
  delete static_cast<EventObject*>(handle);
  return 1;
}
