// The text values of the viewer settings lines, which carry blanks as byte 14.
#ifndef ZODAVUDAZ_VIEWER_STOREDTEXT_H
#define ZODAVUDAZ_VIEWER_STOREDTEXT_H

#include <cstddef>
#include <string_view>

/// Copies value into out, byte 14 as a blank, with a terminating zero; at most size - 1 bytes
/// (size at least 1), the rest of value is dropped.
void CopyStoredText(std::string_view value, char* out, std::size_t size) noexcept;

#endif
