#include <zodavudaz/viewer/NumberText.h>

#include <zodavudaz/platform/LongText.h>

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The 32-bit C library in the C locale (the test program never changes it) is the reference for every form.
namespace {
template <typename Value>
std::string Formatted(char* (*format)(char*, Value), Value value) {
  char text[NumberTextCapacity];
  return std::string(text, format(text, value));
}

template <typename Value>
std::string Printed(const char* format, Value value) {
  char text[64];
  return std::string(text, std::snprintf(text, sizeof text, format, value));
}

TEST(NumberTextTest, FormatsAsPrintf) {
  for (double value : {0.0, -0.0, -1.5, 123456789.0, 9.9999995, 1.0000005, 1e-300, DBL_MAX, -DBL_MAX, DBL_MIN, 4.9e-324,
                       HUGE_VAL, -HUGE_VAL})
    EXPECT_EQ(Formatted(FormatScientific, value), Printed("%e", value));
  for (long value : {0L, -1L, 65535L, LONG_MIN, LONG_MAX})
    EXPECT_EQ(Formatted(FormatDecimal, value), Printed("%ld", value));
  for (DWORD value : {0x0ul, 0xABCDEFul, 0xFFFFFFFFul})
    EXPECT_EQ(Formatted(FormatHex, value), Printed("%lX", value));
}

TEST(NumberTextTest, ParsesAsAtoiAtofAndSscanf) {
  const char* const words[] = {
      "",      "12abc",   " \t-42",       "2147483648",    "99999999999", "1e400", "1e-400",    "4e-320", "1.5e",
      ".",     "-.5e+1x", "-INF",         "nan",           "0X.8P1",      "0x",    "0x1p99999", "--1",    "0x-5",
      "0x 1f", "0x+0X1f", "0xFFFFFFFFFF", "0x-FFFFFFFFFF", "0x00x5",      "1,5",   "NAN",       "NANx",   "-NAN"};
  for (const char* word : words) {
    SCOPED_TRACE(word);
    const char* end = nullptr;
    EXPECT_EQ(ParseDecimal(word), StrToLong32(word, &end));
    const double expected = std::strtod(word, nullptr), parsed = ParseDouble(word);
    EXPECT_TRUE(std::isnan(expected) ? std::isnan(parsed) : std::memcmp(&parsed, &expected, sizeof parsed) == 0);
    // Only the exact word NAN is the stored NaN with every bit set.
    const std::uint64_t storedBits = std::bit_cast<std::uint64_t>(ParseStoredDouble(word));
    EXPECT_EQ(storedBits, std::strcmp(word, "NAN") == 0 ? ~std::uint64_t{0} : std::bit_cast<std::uint64_t>(parsed));
    unsigned scanned = 7;
    DWORD value = 7;
    const bool matched = std::sscanf(word, "0x%X", &scanned) == 1;
    EXPECT_EQ(ParseHex(word, value), matched);
    // The 32-bit C library reads the digits after the prefix as its strtoul does.
    EXPECT_EQ(value, matched ? StrToULong32(word + 2, &end, 16) : 7u);
  }
  EXPECT_EQ(ParseDouble(std::string_view("1.25", 3)), 1.2); // a value ends with its word
}
} // namespace
