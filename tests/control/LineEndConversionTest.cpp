#include "control/LineEndConversion.h"

#include <gtest/gtest.h>

namespace {
TEST(LineEndConversionTest, ConvertsBothWays) {
  const struct {
    const char* Text;
    const char* Stored;
    const char* Restored;
  } rows[] = {
      {"a\r\nb\r\n", "a;;b;;", "a\r\nb\r\n"},
      {"a\nb", "a;b", "a;b"},
      {"\n\n", ";;", "\r\n"},
      {";;;", ";;;", "\r\n;"},
      {"", ";", ""},
      {";", ";", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text);
    CString stored, restored;
    ConvertTerm(row.Text, stored);
    EXPECT_STREQ(stored, row.Stored);
    ReverseTerm(stored, restored);
    EXPECT_STREQ(restored, row.Restored);
  }
}

TEST(LineEndConversionTest, AppendsExceptInSpecialCase) {
  CString target("x");
  ConvertTerm("a\r", target);
  ReverseTerm("b;;", target);
  EXPECT_STREQ(target, "xa;b\r\n");
  ConvertTerm("", target);
  EXPECT_STREQ(target, ";");
  target = "x";
  ReverseTerm(";", target);
  EXPECT_STREQ(target, "");
}
} // namespace
