// The operating system's formatted print into a caller's buffer.
#ifndef ZODAVUDAZ_PLATFORM_FORMATTEDPRINT_H
#define ZODAVUDAZ_PLATFORM_FORMATTEDPRINT_H

#include <zodavudaz/platform/BaseTypes.h>

/// Largest output of wsprintfA, not counting the terminating zero.
constexpr int FormattedPrintLimit = 1024;

/// printf-style output into buffer, cut at FormattedPrintLimit characters and zero-terminated;
/// the number of characters stored. The caller's buffer holds what the format can produce.
int wsprintfA(LPTSTR buffer, LPCTSTR format, ...) noexcept __attribute__((format(printf, 2, 3)));

#endif
