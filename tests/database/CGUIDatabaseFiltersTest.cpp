#include "tests/database/DatabaseFixture.h"
#include "tests/support/HeapUse.h"

class FiltersTest : public DatabaseFixture {
protected:
  FiltersTest() : Module(FileModule(FileStation(1), 2)) {}

  /// The value filed under key, or -1 when none is.
  template <typename KeyT>
  int ValueOf(KeyT key) {
    CGuiFilter* filter = nullptr;
    return Database.GetGuiFilter(1, 2, key, &filter) ? filter->FilterValue : -1;
  }

  CModule& Module;
};

TEST_F(FiltersTest, NumberedFilterIsReplacedUnderItsKey) {
  Database.AddGuiFilter(1, 2, 5, 7);
  CGuiFilter* filter = nullptr;
  ASSERT_EQ(Database.GetGuiFilter(1, 2, 5, &filter), 1);
  EXPECT_EQ(filter->FilterId, 5);
  EXPECT_EQ(filter->FilterValue, 7);
  const std::size_t heapBefore = HeapBytesInUse();
  Database.AddGuiFilter(1, 2, 5, 9);
  EXPECT_EQ(HeapBytesInUse(), heapBefore) << "the replaced filter is released";
  EXPECT_EQ(ValueOf(WORD{5}), 9);
  EXPECT_EQ(Module.FilterMap.GetCount(), 1);
}

TEST_F(FiltersTest, NamedAndNumberedFiltersAreIndependent) {
  Database.AddGuiFilter(1, 2, CString("Gain"), 3);
  Database.AddGuiFilter(1, 2, CString("0"), 4);
  Database.AddGuiFilter(1, 2, 0, 5);
  CGuiFilter* filter = nullptr;
  ASSERT_EQ(Database.GetGuiFilter(1, 2, CString("Gain"), &filter), 1);
  EXPECT_EQ(filter->FilterId, 0);
  EXPECT_EQ(ValueOf(CString("gain")), -1);
  EXPECT_EQ(ValueOf(CString("0")), 4);
  EXPECT_EQ(ValueOf(WORD{0}), 5);
  Database.RemoveGuiFilter(1, 2, CString("0"));
  Database.RemoveGuiFilter(1, 2, 7);
  Database.RemoveGuiFilter(1, 2, CString("absent"));
  EXPECT_EQ(ValueOf(CString("0")), -1);
  EXPECT_EQ(ValueOf(WORD{0}), 5);
  EXPECT_EQ(ValueOf(CString("Gain")), 3);
  filter = reinterpret_cast<CGuiFilter*>(1);
  EXPECT_EQ(Database.GetGuiFilter(1, 2, 9, &filter), 0);
  EXPECT_EQ(filter, reinterpret_cast<CGuiFilter*>(1)) << "left unchanged";
}

TEST_F(FiltersTest, RemovingAllEmptiesBothMapsAndUnfiledModulesAreIgnored) {
  Database.AddGuiFilter(1, 3, 1, 1);
  Database.AddGuiFilter(2, 2, CString("Gain"), 1);
  Database.RemoveAllGuiFilter(1, 3);
  EXPECT_EQ(Module.FilterMap.GetCount() + Module.NamedFilterMap.GetCount(), 0);
  const std::size_t heapBefore = HeapBytesInUse();
  Database.AddGuiFilter(1, 2, 5, 7);
  Database.AddGuiFilter(1, 2, CString("Gain"), 3);
  Database.RemoveAllGuiFilter(1, 2);
  EXPECT_EQ(HeapBytesInUse(), heapBefore) << "records and map storage are released";
  EXPECT_EQ(ValueOf(WORD{5}), -1);
  EXPECT_EQ(ValueOf(CString("Gain")), -1);
}
