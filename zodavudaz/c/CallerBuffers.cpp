#include <zodavudaz/c/CallerBuffers.h>

#include <cstdint>
#include <cstring>

namespace {
/// A size as the interface reports it; sizes past its range saturate (no text is that long).
uint32_t ReportedSize(std::size_t bytes) noexcept {
  return bytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(bytes);
}
} // namespace

bool IsBadBuffer(const void* out, uint32_t capacity, const uint32_t* size) noexcept {
  return size == nullptr || (out == nullptr && capacity != 0);
}

int32_t PutText(const char* text, std::size_t length, char* out, uint32_t capacity, uint32_t* size) noexcept {
  *size = ReportedSize(length + 1);
  if (out == nullptr)
    return ZDZ_OK;
  if (capacity == 0)
    return ZDZ_E_BUFFER_TOO_SMALL;
  const std::size_t copied = length < capacity ? length : capacity - 1;
  if (copied > 0)
    std::memcpy(out, text, copied);
  out[copied] = '\0';
  return copied == length ? ZDZ_OK : ZDZ_E_BUFFER_TOO_SMALL;
}

int32_t PutText(const CString& text, char* out, uint32_t capacity, uint32_t* size) noexcept {
  return PutText(static_cast<LPCTSTR>(text), static_cast<std::size_t>(text.GetLength()), out, capacity, size);
}

int32_t PutBytes(const void* bytes, std::size_t length, void* out, uint32_t capacity, uint32_t* size) noexcept {
  *size = ReportedSize(length);
  if (out == nullptr)
    return ZDZ_OK;
  const std::size_t copied = length < capacity ? length : capacity;
  if (copied > 0)
    std::memcpy(out, bytes, copied);
  return copied == length ? ZDZ_OK : ZDZ_E_BUFFER_TOO_SMALL;
}

bool IsGoodInput(const void* data, uint32_t count) noexcept { return data != nullptr || count == 0; }
