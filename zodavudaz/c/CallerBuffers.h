// Text and bytes handed out into the caller's buffers, as the C interface's conventions say.
#ifndef ZODAVUDAZ_C_CALLERBUFFERS_H
#define ZODAVUDAZ_C_CALLERBUFFERS_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/zodavudaz_c.h>

#include <cstddef>

/// True when out, capacity and size break the rules: size null, or out null with a capacity.
bool IsBadBuffer(const void* out, uint32_t capacity, const uint32_t* size) noexcept;

/// Copies length bytes of text and a terminating zero into out: ZDZ_OK, or ZDZ_E_BUFFER_TOO_SMALL
/// with the text cut and terminated; *size = length + 1 either way. A null out only sets *size.
int32_t PutText(const char* text, std::size_t length, char* out, uint32_t capacity, uint32_t* size) noexcept;
int32_t PutText(const CString& text, char* out, uint32_t capacity, uint32_t* size) noexcept;
/// The same for bytes, without a terminating zero.
int32_t PutBytes(const void* bytes, std::size_t length, void* out, uint32_t capacity, uint32_t* size) noexcept;

/// True unless a null data comes with elements to send: a null data goes with count 0 only.
bool IsGoodInput(const void* data, uint32_t count) noexcept;

#endif
