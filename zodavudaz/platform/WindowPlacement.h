// The operating system's window placement record.
#ifndef ZODAVUDAZ_PLATFORM_WINDOWPLACEMENT_H
#define ZODAVUDAZ_PLATFORM_WINDOWPLACEMENT_H

#include <zodavudaz/platform/CRect.h>

#include <cstddef>

/// A point of two 32-bit signed coordinates.
struct POINT {
  LONG x;
  LONG y;
};

/// Shown state and positions of a window; length holds the record's own size, 44.
struct WINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};
static_assert(sizeof(POINT) == 8);
static_assert(sizeof(WINDOWPLACEMENT) == 44);
static_assert(offsetof(WINDOWPLACEMENT, flags) == 4);
static_assert(offsetof(WINDOWPLACEMENT, showCmd) == 8);
static_assert(offsetof(WINDOWPLACEMENT, ptMinPosition) == 12);
static_assert(offsetof(WINDOWPLACEMENT, ptMaxPosition) == 20);
static_assert(offsetof(WINDOWPLACEMENT, rcNormalPosition) == 28);

#endif
