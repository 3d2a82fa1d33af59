// The two words posted with a message to the communication manager's threads.
#ifndef ZODAVUDAZ_PACKETS_MESSAGEWORDS_H
#define ZODAVUDAZ_PACKETS_MESSAGEWORDS_H

#include <zodavudaz/platform/BaseTypes.h>

#include <cstdint>
#include <type_traits>

/// First posted word: a DWORD in the 32-bit build (the manager's exported signature), pointer-wide
/// on 64-bit so that an address fits.
using MsgWParam = std::conditional_t<Is32BitBuild, DWORD, WPARAM>;
/// Second posted word: a LONG in the 32-bit build, pointer-wide on 64-bit.
using MsgLParam = std::conditional_t<Is32BitBuild, LONG, LPARAM>;

/// An address as the first posted word.
inline MsgWParam AddressWParam(const void* address) noexcept {
  return static_cast<MsgWParam>(reinterpret_cast<std::uintptr_t>(address));
}

/// An address as the second posted word.
inline MsgLParam AddressLParam(const void* address) noexcept {
  return static_cast<MsgLParam>(reinterpret_cast<std::uintptr_t>(address));
}

/// The address that a posted word carries.
template <typename T, typename Word>
T* WordAddress(Word word) noexcept {
  return reinterpret_cast<T*>(static_cast<std::uintptr_t>(word));
}

#endif
