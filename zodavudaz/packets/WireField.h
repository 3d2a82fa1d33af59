// Reading, writing and sizing little-endian fields of wire records that may sit at any address.
#ifndef ZODAVUDAZ_PACKETS_WIREFIELD_H
#define ZODAVUDAZ_PACKETS_WIREFIELD_H

#include <zodavudaz/platform/BaseTypes.h>

#include <cstddef>
#include <cstring>

/// The T stored at byte offset of base; base may have any alignment. Multi-byte values stand
/// little-endian on the wire, as on the PC, so nothing is converted.
template <typename T>
T LoadWire(const void* base, std::size_t offset) noexcept {
  T value;
  std::memcpy(&value, static_cast<const BYTE*>(base) + offset, sizeof value);
  return value;
}

/// Stores value at byte offset of base; base may have any alignment.
template <typename T>
void StoreWire(void* base, std::size_t offset, T value) noexcept {
  std::memcpy(static_cast<BYTE*>(base) + offset, &value, sizeof value);
}

/// Element index of an array of T that starts at area; 0 when area is null. Not bounds-checked.
template <typename T>
T LoadItem(const void* area, WORD index) noexcept {
  return area == nullptr ? T{} : LoadWire<T>(area, std::size_t{index} * sizeof(T));
}

/// Stores element index of an array of T that starts at area; nothing when area is null.
template <typename T>
void StoreItem(void* area, WORD index, T value) noexcept {
  if (area != nullptr)
    StoreWire(area, std::size_t{index} * sizeof(T), value);
}

/// value, or 0xFFFFFFFF when it does not fit 32 bits.
constexpr DWORD SaturateToDword(unsigned long long value) noexcept {
  return value > 0xFFFFFFFFull ? 0xFFFFFFFFul : static_cast<DWORD>(value);
}

/// value, or 0xFFFF when it does not fit 16 bits.
constexpr WORD SaturateToWord(unsigned long long value) noexcept {
  return value > 0xFFFFull ? WORD{0xFFFF} : static_cast<WORD>(value);
}

/// minuend - subtrahend, or 0 when subtrahend is the larger: a malformed header must not wrap
/// to a size of about 4 GiB.
constexpr DWORD DifferenceOrZero(unsigned long long minuend, unsigned long long subtrahend) noexcept {
  return minuend > subtrahend ? SaturateToDword(minuend - subtrahend) : 0;
}

#endif
