#include <zodavudaz/platform/CWordArray.h>

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<WORD> Entries(const CWordArray& array) {
  std::vector<WORD> entries;
  for (int i = 0; i < array.GetSize(); ++i)
    entries.push_back(array[i]);
  return entries;
}
} // namespace

TEST(CWordArrayTest, SetSizeKeepsThePrefixAndZeroFillsGrowth) {
  const struct {
    const char* Name;
    int NewSize;
    BOOL Result;
    std::vector<WORD> Entries;
  } rows[] = {
      {"GrowZeroFills", 6, TRUE, {0xA1, 0xB2, 0xC3, 0, 0, 0}},
      {"SameSizeKeepsAll", 3, TRUE, {0xA1, 0xB2, 0xC3}},
      {"ShrinkKeepsPrefix", 2, TRUE, {0xA1, 0xB2}},
      {"ZeroEmpties", 0, TRUE, {}},
      {"NegativeRefusedSizeUnchanged", -1, FALSE, {0xA1, 0xB2, 0xC3}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    CWordArray array;
    for (const WORD value : {0xA1, 0xB2, 0xC3})
      array.Add(value);
    EXPECT_EQ(array.SetSize(row.NewSize), row.Result);
    EXPECT_EQ(Entries(array), row.Entries);
  }
}

// A shrink leaves the dropped entries in storage; growing again must not bring them back.
TEST(CWordArrayTest, RegrowthAfterShrinkReadsZero) {
  CWordArray array;
  ASSERT_TRUE(array.SetSize(4));
  for (int i = 0; i < 4; ++i)
    array.SetAt(i, static_cast<WORD>(0xFFFF - i));
  ASSERT_TRUE(array.SetSize(1));
  ASSERT_TRUE(array.SetSize(4));
  EXPECT_EQ(Entries(array), (std::vector<WORD>{0xFFFF, 0, 0, 0}));
}
