// What the 32-bit C library's number readers give, for tests that both builds must pass alike.
#ifndef TESTS_SUPPORT_ILP32NUMBERS_H
#define TESTS_SUPPORT_ILP32NUMBERS_H

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

/// strtol with a 32-bit long: saturates at the 32-bit range.
inline std::int32_t Strtol32(const char* text, int base = 10) {
  errno = 0;
  const long long value = std::strtoll(text, nullptr, base);
  if (value > INT32_MAX)
    return INT32_MAX;
  return value < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(value);
}

/// atoi of the 32-bit C library: its strtol, kept to int.
inline int Atoi32(const char* text) { return Strtol32(text); }

/// strtoul with a 32-bit long: a magnitude beyond 32 bits gives all ones whatever the sign, a
/// negative one wraps.
inline std::uint32_t Strtoul32(const char* text, int base = 10) {
  const char* sign = text;
  while (std::isspace(static_cast<unsigned char>(*sign)))
    ++sign;
  errno = 0;
  const unsigned long long value = std::strtoull(text, nullptr, base);
  const bool negative = *sign == '-';
  const unsigned long long magnitude = negative ? 0 - value : value;
  if (errno == ERANGE || magnitude > UINT32_MAX)
    return UINT32_MAX;
  return static_cast<std::uint32_t>(value);
}

#endif
