// The host's millisecond clock and sleep, as GetTickCount and Sleep.
#ifndef ZODAVUDAZ_PLATFORM_TICKS_H
#define ZODAVUDAZ_PLATFORM_TICKS_H

#include <zodavudaz/platform/BaseTypes.h>

/// Milliseconds of a steady clock; wraps, so only differences mean anything.
DWORD GetTickCount() noexcept;
/// Gives up the processor for at least milliseconds; 0 only lets other threads run first.
void Sleep(DWORD milliseconds) noexcept;
/// Gives up the processor for at least microseconds, for waits that poll more often than Sleep can.
void SleepMicroseconds(DWORD microseconds) noexcept;

#endif
