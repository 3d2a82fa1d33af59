// The framework's rectangle of four 32-bit signed coordinates.
#ifndef ZODAVUDAZ_PLATFORM_CRECT_H
#define ZODAVUDAZ_PLATFORM_CRECT_H

#include <zodavudaz/platform/BaseTypes.h>

/// The operating system's rectangle record.
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

/// RECT with constructors and comparison; the same 16 bytes.
class CRect : public RECT {
public:
  CRect() noexcept : RECT{0, 0, 0, 0} {}
  CRect(LONG l, LONG t, LONG r, LONG b) noexcept : RECT{l, t, r, b} {}
  CRect(const RECT& rect) noexcept : RECT(rect) {}

  LONG Width() const noexcept { return right - left; }
  LONG Height() const noexcept { return bottom - top; }
  void SetRect(LONG l, LONG t, LONG r, LONG b) noexcept { left = l, top = t, right = r, bottom = b; }
  void SetRectEmpty() noexcept { SetRect(0, 0, 0, 0); }

  friend bool operator==(const CRect& a, const CRect& b) noexcept {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

static_assert(sizeof(CRect) == 16);

#endif
