#include <zodavudaz/control/LineEndConversion.h>

#include <gtest/gtest.h>

namespace {
// Both append to the text already in the target, except in their one special case.
TEST(LineEndConversionTest, ConvertsBothWays) {
  const struct {
    const char* Text;
    const char* Stored;
    const char* Restored;
  } rows[] = {
      {"a\r\nb\r\n", "<a;;b;;", ">a\r\nb\r\n"},
      {"a\nb", "<a;b", ">a;b"},
      {"\n\n", "<;;", ">\r\n"},
      {";;;", "<;;;", ">\r\n;"},
      {"", ";", ""},
      {";", "<;", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Text);
    CString stored("<"), restored(">");
    ConvertTerm(row.Text, stored);
    EXPECT_STREQ(stored, row.Stored);
    // The stored form without the text that was in the target before.
    ReverseTerm(static_cast<LPCTSTR>(stored) + (stored[0] == '<'), restored);
    EXPECT_STREQ(restored, row.Restored);
  }
}
} // namespace
