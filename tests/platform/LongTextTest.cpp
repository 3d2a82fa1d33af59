#include <zodavudaz/platform/LongText.h>

#include <gtest/gtest.h>

// What the 32-bit C library's strtol and strtoul give; both builds must read the same.
TEST(LongTextTest, ReadsAsTheThirtyTwoBitLibrary) {
  const struct {
    const char* Text;
    LONG Signed;
    DWORD Unsigned;
    int Read; ///< bytes taken
  } rows[] = {
      {"", 0, 0, 0},
      {"x", 0, 0, 0},
      {" \t-42z", -42, 4294967254u, 5},
      {"2147483647", 2147483647, 2147483647u, 10},
      {"2147483648", 2147483647, 2147483648u, 10},
      {"-2147483649", -2147483647 - 1, 2147483647u, 11},
      {"4294967295", 2147483647, 4294967295u, 10},
      {"4294967297", 2147483647, 4294967295u, 10},
      {"99999999999", 2147483647, 4294967295u, 11},
      {"-4294967295", -2147483647 - 1, 1u, 11},
      {"-4294967296", -2147483647 - 1, 4294967295u, 11},
      {"99999999999999999999999", 2147483647, 4294967295u, 23},
      {"+7", 7, 7u, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text);
    const char* end = nullptr;
    EXPECT_EQ(StrToLong32(row.Text, &end), row.Signed);
    EXPECT_EQ(end - row.Text, row.Read);
    EXPECT_EQ(StrToULong32(row.Text, &end), row.Unsigned);
    EXPECT_EQ(end - row.Text, row.Read);
  }
}
