#include <zodavudaz/platform/CWordArray.h>

#include <gtest/gtest.h>

#include <vector>

// A shrink leaves the dropped entries in storage; growing again must not bring them back.
TEST(CWordArrayTest, SetSizeKeepsThePrefixAndZeroFillsGrowth) {
  const struct {
    const char* Name;
    int FirstSize;
    int NewSize;
    BOOL Result;
    std::vector<WORD> Entries;
  } rows[] = {
      {"GrowZeroFills", 3, 6, TRUE, {0xA1, 0xB2, 0xC3, 0, 0, 0}},
      {"SameSizeKeepsAll", 3, 3, TRUE, {0xA1, 0xB2, 0xC3}},
      {"ShrinkKeepsPrefix", 3, 2, TRUE, {0xA1, 0xB2}},
      {"ZeroEmpties", 3, 0, TRUE, {}},
      {"NegativeRefusedSizeUnchanged", 3, -1, FALSE, {0xA1, 0xB2, 0xC3}},
      {"RegrowthAfterShrinkReadsZero", 1, 4, TRUE, {0xA1, 0, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    CWordArray array;
    for (const WORD value : {0xA1, 0xB2, 0xC3})
      array.Add(value);
    ASSERT_TRUE(array.SetSize(row.FirstSize));
    EXPECT_EQ(array.SetSize(row.NewSize), row.Result);
    std::vector<WORD> entries;
    for (int i = 0; i < array.GetSize(); ++i)
      entries.push_back(array[i]);
    EXPECT_EQ(entries, row.Entries);
  }
}
