#include <zodavudaz/database/CGUIDatabase.h>

#include <gtest/gtest.h>

namespace {
constexpr WORD None = 0xFFFF;
}

// Numbers 1 to 15 exist only after Init; taking a sixteenth and clearing one outside the table
// change nothing.
TEST(CGUIDatabaseTest, FrontendNumbersAreOneToFifteenAfterInit) {
  CGUIDatabase database;
  database.SetFrontendNo();
  database.ClearFrontendNo();
  database.ClearFrontendNo(1);
  database.ClearFrontendNo(0);
  EXPECT_EQ(database.GetFrontendNo(), None) << "before Init";
  database.Init();
  for (int taken = 0; taken < 16; ++taken)
    database.SetFrontendNo();
  for (WORD outside : {0, 16, 0xFFFF})
    database.ClearFrontendNo(outside);
  EXPECT_EQ(database.GetFrontendNo(), None);
  database.ClearFrontendNo(15);
  EXPECT_EQ(database.GetFrontendNo(), 15);
}
