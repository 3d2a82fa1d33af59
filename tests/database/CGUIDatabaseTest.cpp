#include <zodavudaz/database/CGUIDatabase.h>

#include <gtest/gtest.h>

namespace {
constexpr WORD None = 0xFFFF;
}

TEST(CGUIDatabaseTest, FrontendNumbersBeforeInitAreNeverTakenOrWritten) {
  CGUIDatabase database;
  database.SetFrontendNo();
  database.ClearFrontendNo();
  database.ClearFrontendNo(1);
  database.ClearFrontendNo(0);
  EXPECT_EQ(database.GetFrontendNo(), None);
}

TEST(CGUIDatabaseTest, AllFifteenTakenLeavesNoneAndASixteenthChangesNothing) {
  CGUIDatabase database;
  database.Init();
  for (int taken = 0; taken < 16; ++taken)
    database.SetFrontendNo();
  EXPECT_EQ(database.GetFrontendNo(), None);
  database.ClearFrontendNo(15);
  EXPECT_EQ(database.GetFrontendNo(), 15);
}

TEST(CGUIDatabaseTest, NumbersOutsideTheTableAreIgnored) {
  CGUIDatabase database;
  database.Init();
  for (int taken = 0; taken < 15; ++taken)
    database.SetFrontendNo();
  database.ClearFrontendNo(0);
  database.ClearFrontendNo(16);
  database.ClearFrontendNo(0xFFFF);
  EXPECT_EQ(database.GetFrontendNo(), None);
}
