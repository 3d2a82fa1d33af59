#include "viewer/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The C library in the C locale (the test program never changes it) is the reference for every form.
namespace {
template <typename Value> std::string Formatted(char* (*format)(char*, Value), Value value) {
  char text[NumberTextCapacity];
  return std::string(text, format(text, value));
}

TEST(NumberTextTest, FormatsAsPrintfInTheCLocale) {
  const double doubles[] = {0.0,     -0.0,    1.0,     -1.5,   123456789.0, 9.9999995, 1.0000005, 1e-300,
                            DBL_MAX, -DBL_MAX, DBL_MIN, 4.9e-324, HUGE_VAL,    -HUGE_VAL};
  char expected[64];
  for (double value : doubles) {
    std::snprintf(expected, sizeof expected, "%e", value);
    EXPECT_EQ(Formatted(FormatScientific, value), expected);
  }
  for (long value : {0L, -1L, 300L, 65535L, LONG_MIN, LONG_MAX}) {
    std::snprintf(expected, sizeof expected, "%ld", value);
    EXPECT_EQ(Formatted(FormatDecimal, value), expected);
  }
  for (DWORD value : {0x0ul, 0xABCDEFul, 0x80000000ul, 0xFFFFFFFFul}) {
    std::snprintf(expected, sizeof expected, "%lX", value);
    EXPECT_EQ(Formatted(FormatHex, value), expected);
  }
}

const char* const Words[] = {
    "",      "0",        "-0",     "+7",     "12abc",   " \t-42", "2147483648", "-2147483649", "99999999999",
    "1e400", "-1e400",   "1e-400", "4e-320", "1.5e",    ".5",     ".",          "-.5e+1x",     "inf",
    "-INF",  "infinity", "nan",    "0x1p3",  "0X.8P1",  "0x",     "0xg",        "0x1p99999",   "-0x1p-99999",
    "+-1",   "--1",      "0x-5",   "0x0xg",  "0x 1f",   "0x+0X1f", "0X5",       "0x-",         "0xFFFFFFFFFF",
    "0x-FFFFFFFFFF", "0x00x5", "0xabcDEF", "1,5"};

TEST(NumberTextTest, ParsesAsTheCLibraryDoes) {
  for (const char* word : Words) {
    SCOPED_TRACE(word);
    EXPECT_EQ(ParseDecimal(word), std::atoi(word));
    const double expected = std::strtod(word, nullptr);
    const double parsed = ParseDouble(word);
    if (std::isnan(expected))
      EXPECT_TRUE(std::isnan(parsed));
    else
      EXPECT_EQ(std::memcmp(&parsed, &expected, sizeof parsed), 0) << parsed << " " << expected;
    unsigned scanned = 7;
    DWORD value = 7;
    EXPECT_EQ(ParseHex(word, value), std::sscanf(word, "0x%X", &scanned) == 1);
    EXPECT_EQ(value, scanned);
  }
}

TEST(NumberTextTest, OnlyTheExactNanWordSetsAllBits) {
  for (const char* word : {"NAN", "nan", "NANx", "-NAN"}) {
    SCOPED_TRACE(word);
    const double value = ParseStoredDouble(word);
    unsigned long long bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    EXPECT_TRUE(std::isnan(value));
    EXPECT_EQ(bits == ~0ull, std::strcmp(word, "NAN") == 0);
  }
}

TEST(NumberTextTest, ValuesStopAtTheirWordEnd) {
  EXPECT_EQ(ParseDecimal(std::string_view("123", 2)), 12);
  EXPECT_EQ(ParseDouble(std::string_view("1.25", 3)), 1.2);
  DWORD value = 0;
  EXPECT_TRUE(ParseHex(std::string_view("0xAB", 3), value));
  EXPECT_EQ(value, 0xAu);
}
} // namespace
