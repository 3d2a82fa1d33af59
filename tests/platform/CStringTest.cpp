#include <zodavudaz/platform/CString.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// Positions and lengths beyond either end are clamped to the text.
TEST(CStringTest, SearchesAndSlicesStayInBounds) {
  const CString text("Station1-Module2");
  EXPECT_EQ((std::vector<int>{text.Find('-'), text.Find("Module"), text.Find("Module", 10), text.Find('S', 99)}),
            (std::vector<int>{8, 9, -1, -1}));
  EXPECT_EQ((std::vector<CString>{text.Mid(9), text.Mid(9, 100), text.Mid(100), text.Left(-1), text.Right(8),
                                  text.Right(100)}),
            (std::vector<CString>{"Module2", "Module2", "", "", "-Module2", "Station1-Module2"}));
  const CString repeated("abcabc");
  EXPECT_EQ((std::vector<int>{repeated.Find('b', -5), repeated.Find('b', 2), repeated.Find("b", -1),
                              repeated.Find("", 6), repeated.Find("a", 7), repeated.Find(nullptr)}),
            (std::vector<int>{1, 4, -1, 6, -1, -1}));
  EXPECT_EQ((std::vector<CString>{repeated.Mid(-3, 2), repeated.Mid(2, -1), repeated.Right(-1)}),
            (std::vector<CString>{"ab", "", ""}));
  CString copy(repeated);
  copy.SetAt(-1, 'X');
  copy.SetAt(6, 'X');
  EXPECT_EQ(copy, repeated);
  EXPECT_EQ(CString(nullptr, 4), "");
  EXPECT_GT(repeated.Compare(nullptr), 0);
}

// Format grows the text as needed, and may read the string's own text.
TEST(CStringTest, FormatGrowsAndMayReadItsOwnText) {
  for (const int length : {3, 200, 1000}) {
    CString text(std::string(static_cast<size_t>(length), 'a').c_str());
    text.Format("%s-%s", static_cast<LPCTSTR>(text), static_cast<LPCTSTR>(text));
    EXPECT_EQ(text.GetLength(), 2 * length + 1);
    EXPECT_EQ(text.Mid(length, 2), CString("-a"));
  }
}

// Assigning or appending a text that lies inside the string reads it before it is overwritten.
TEST(CStringTest, TextFromInsideTheStringSurvivesAssignAndAppend) {
  CString text("abcdef");
  const CString& same = text;
  text = same;
  EXPECT_STREQ(text, "abcdef");
  text = static_cast<LPCTSTR>(text);
  EXPECT_STREQ(text, "abcdef");
  text = static_cast<LPCTSTR>(text) + 2;
  EXPECT_EQ(text.GetLength(), 4);
  EXPECT_STREQ(text, "cdef");
  text = static_cast<LPCTSTR>(text) + 4;
  EXPECT_TRUE(text.IsEmpty());

  CString grown;
  grown += "abcd";
  grown += static_cast<LPCTSTR>(grown) + 2; // fits the spare capacity
  EXPECT_STREQ(grown, "abcdcd");
  grown += grown; // needs a larger block
  EXPECT_STREQ(grown, "abcdcdabcdcd");
}

TEST(CStringTest, BufferEdgesNeverTouchTheSharedEmptyText) {
  CString empty;
  empty.ReleaseBuffer(5);
  EXPECT_EQ(empty.GetLength(), 0);
  char* buffer = empty.GetBuffer(0);
  ASSERT_NE(buffer, nullptr);
  buffer[0] = 'w';
  empty.ReleaseBuffer(100);
  EXPECT_STREQ(empty, "w");

  CString text("keep");
  buffer = text.GetBuffer(2);
  ASSERT_NE(buffer, nullptr);
  EXPECT_STREQ(buffer, "keep");
  text.ReleaseBuffer();
  EXPECT_STREQ(text, "keep");
  text.Format("%s", "");
  empty.Empty();
  empty.Format("%s", "");
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_STREQ(CString(), "");
}
