#include "platform/CString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(CStringTest, CopiesAreIndependent) {
  CString original("abc");
  CString copy = original;
  copy += "def";
  copy.SetAt(0, 'X');
  EXPECT_STREQ(original, "abc");
  EXPECT_STREQ(copy, "Xbcdef");
}

TEST(CStringTest, KeepsEmbeddedZerosAndLength) {
  CString text("a\0b", 3);
  EXPECT_EQ(text.GetLength(), 3);
  EXPECT_EQ(text[2], 'b');
  CString joined = text + text;
  EXPECT_EQ(joined.GetLength(), 6);
  EXPECT_EQ(std::string(static_cast<LPCTSTR>(joined), 6), std::string("a\0ba\0b", 6));
}

TEST(CStringTest, SearchesAndSlicesStayInBounds) {
  const CString text("Station1-Module2");
  EXPECT_EQ(text.Find('-'), 8);
  EXPECT_EQ(text.Find("Module"), 9);
  EXPECT_EQ(text.Find("Module", 10), -1);
  EXPECT_EQ(text.Find('S', 99), -1);
  EXPECT_STREQ(text.Mid(9), "Module2");
  EXPECT_STREQ(text.Mid(9, 100), "Module2");
  EXPECT_STREQ(text.Mid(100), "");
  EXPECT_STREQ(text.Left(-1), "");
  EXPECT_STREQ(text.Right(8), "-Module2");
  EXPECT_STREQ(text.Right(100), "Station1-Module2");
}

TEST(CStringTest, FormatGrowsAsNeeded) {
  CString text;
  text.Format("Station%s-Module%d", std::string(1000, 'x').c_str(), 7);
  EXPECT_EQ(text.GetLength(), 7 + 1000 + 7 + 1);
  EXPECT_EQ(text.Right(9), CString("x-Module7"));
}

TEST(CStringTest, BufferRoundTrip) {
  CString text("old");
  char* buffer = text.GetBuffer(10);
  ASSERT_NE(buffer, nullptr);
  std::snprintf(buffer, 11, "%s", "0123456789");
  text.ReleaseBuffer();
  EXPECT_EQ(text.GetLength(), 10);
  text.GetBuffer(10);
  text.ReleaseBuffer(4);
  EXPECT_STREQ(text, "0123");
}

TEST(CStringTest, ComparisonIsCaseSensitive) {
  EXPECT_TRUE(CString("Bravo") == "Bravo");
  EXPECT_TRUE(CString("Bravo") != CString("bravo"));
  EXPECT_LT(CString("A").Compare("B"), 0);
  EXPECT_TRUE(CString() == "");
}
