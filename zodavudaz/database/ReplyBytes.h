// How much of a module's reply, described by its type code and element count, lies in a buffer.
#ifndef ZODAVUDAZ_DATABASE_REPLYBYTES_H
#define ZODAVUDAZ_DATABASE_REPLYBYTES_H

#include <zodavudaz/platform/BaseTypes.h>

/// Bits 4 to 7 of a type code are log2 of the element width; no reply carries elements wider
/// than 8 bytes, so a type above that describes nothing usable.
constexpr unsigned MaxWidthShift = 3;

/// Element width of type in bytes; 0 for a type without a usable width.
constexpr DWORD ElementWidth(WORD type) noexcept {
  const unsigned shift = static_cast<unsigned>(type >> 4);
  return shift > MaxWidthShift ? 0 : DWORD{1} << shift;
}

/// The bytes of count elements of type that fit capacity bytes; computed in 64 bits so that no
/// claimed count wraps. 0 for a type without a usable width.
constexpr DWORD ReplyBytesWithin(WORD type, DWORD count, DWORD capacity) noexcept {
  const unsigned long long bytes = static_cast<unsigned long long>(count) * ElementWidth(type);
  return bytes > capacity ? capacity : static_cast<DWORD>(bytes);
}

/// The whole elements of type, of count claimed, that fit capacity bytes; 0 for a type without a
/// usable width.
constexpr DWORD ElementsWithin(WORD type, DWORD count, DWORD capacity) noexcept {
  const DWORD width = ElementWidth(type);
  if (width == 0)
    return 0;
  return count > capacity / width ? capacity / width : count;
}

#endif
