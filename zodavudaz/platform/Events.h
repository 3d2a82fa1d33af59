// Kernel event objects as the host's CreateEventA and CloseHandle make and close them.
#ifndef ZODAVUDAZ_PLATFORM_EVENTS_H
#define ZODAVUDAZ_PLATFORM_EVENTS_H

#include <zodavudaz/platform/BaseTypes.h>

/// A new event (attributes and name are not used on this platform); null when it cannot be made.
HANDLE CreateEventA(LPVOID attributes, BOOL manualReset, BOOL initialState, LPCTSTR name) noexcept;
/// Closes an event made by CreateEventA; FALSE for a null handle.
BOOL CloseHandle(HANDLE handle) noexcept;

#endif
