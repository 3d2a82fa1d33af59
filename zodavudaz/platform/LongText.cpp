#include <zodavudaz/platform/LongText.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

LONG StrToLong32(const char* text, const char** end) noexcept {
  char* stop = nullptr;
  // strtoll saturates at the 64-bit range, which lies beyond the 32-bit one either way.
  const long long value = std::strtoll(text, &stop, 10);
  *end = stop;
  if (value > INT32_MAX)
    return INT32_MAX;
  return value < INT32_MIN ? INT32_MIN : static_cast<LONG>(value);
}

DWORD StrToULong32(const char* text, const char** end, int base) noexcept {
  const char* sign = text;
  while (std::isspace(static_cast<unsigned char>(*sign)))
    ++sign;
  char* stop = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &stop, base);
  *end = stop;
  const unsigned long long magnitude = *sign == '-' ? 0 - value : value;
  if (errno == ERANGE || magnitude > UINT32_MAX)
    return UINT32_MAX;
  return static_cast<DWORD>(value);
}
