// Numbers read from settings text as the 32-bit C library reads them, in both builds.
#ifndef ZODAVUDAZ_PLATFORM_LONGTEXT_H
#define ZODAVUDAZ_PLATFORM_LONGTEXT_H

#include <zodavudaz/platform/BaseTypes.h>

/// strtol in base 10 with a 32-bit long: a value beyond the LONG range saturates. end gets the
/// first byte not read (text itself when there are no digits).
LONG StrToLong32(const char* text, const char** end) noexcept;
/// strtoul with a 32-bit unsigned long: a magnitude beyond 32 bits gives 0xFFFFFFFF whatever the
/// sign, a negative one wraps. end as for StrToLong32.
DWORD StrToULong32(const char* text, const char** end, int base = 10) noexcept;

#endif
