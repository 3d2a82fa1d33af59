#include "tests/database/DatabaseFixture.h"

class FiltersTest : public DatabaseFixture {
protected:
  FiltersTest() : Module(FileModule(FileStation(1), 2)) {}
  /// The id and value filed under key, or {-1, -1} when none is.
  template <typename KeyT>
  std::pair<int, int> Filed(KeyT key) {
    CGuiFilter* filter = nullptr;
    return Database.GetGuiFilter(1, 2, key, &filter) ? std::make_pair(int{filter->FilterId}, int{filter->FilterValue})
                                                     : std::make_pair(-1, -1);
  }
  CModule& Module;
};

TEST_F(FiltersTest, FiltersAreReplacedUnderTheirKeysAndRemovedAndUnfiledModulesAreIgnored) {
  Database.AddGuiFilter(1, 3, 1, 1);
  Database.AddGuiFilter(2, 2, CString("Gain"), 1);
  Database.RemoveAllGuiFilter(1, 3);
  EXPECT_EQ(Module.FilterMap.GetCount() + Module.NamedFilterMap.GetCount(), 0);
  Database.AddGuiFilter(1, 2, 5, 7);
  Database.AddGuiFilter(1, 2, 5, 9); // the leak checker finds a replaced filter left unreleased
  Database.AddGuiFilter(1, 2, CString("0"), 4);
  Database.AddGuiFilter(1, 2, 0, 5);
  EXPECT_EQ(std::make_tuple(Filed(WORD{5}), Filed(CString("0")), Filed(WORD{0}), Module.FilterMap.GetCount()),
            std::make_tuple(std::make_pair(5, 9), std::make_pair(0, 4), std::make_pair(0, 5), 2));
  Database.RemoveGuiFilter(1, 2, CString("0"));
  Database.RemoveGuiFilter(1, 2, 7);
  Database.RemoveGuiFilter(1, 2, CString("absent"));
  EXPECT_EQ(std::make_tuple(Filed(CString("0")).first, Filed(WORD{0}).second, Filed(WORD{5}).second),
            std::make_tuple(-1, 5, 9));
  CGuiFilter* filter = reinterpret_cast<CGuiFilter*>(1);
  EXPECT_EQ(Database.GetGuiFilter(1, 2, 9, &filter), 0);
  EXPECT_EQ(filter, reinterpret_cast<CGuiFilter*>(1)) << "left unchanged";
  Database.AddGuiFilter(1, 2, CString("Gain"), 3);
  Database.RemoveAllGuiFilter(1, 2); // the leak checker finds records left unreleased
  EXPECT_EQ(std::make_tuple(Filed(WORD{0}).first, Filed(WORD{5}).first, Filed(CString("Gain")).first),
            std::make_tuple(-1, -1, -1));
}
