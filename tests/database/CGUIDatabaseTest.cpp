#include "database/CGUIDatabase.h"

#include <gtest/gtest.h>

namespace {
constexpr WORD None = 0xFFFF;
}

TEST(CGUIDatabaseTest, StartsWithEveryFlagZeroAndPathsEmpty) {
  CGUIDatabase database;
  const int flags[] = {database.GetGuiAllModule(), database.GetGuiPower(),       database.GetViewerHeight(),
                       database.GetViewerWidth(),  database.GetSystemErrorLog(), database.GetSystemLanguage(),
                       database.GetParamPower(),   database.GetOnePanel(),       database.GetDblClickPanel(),
                       database.GetNonLoad(),      database.GetNonToolTip(),     database.GetPowerMsg(),
                       database.GetParamStart(),   database.GetDefaultSave()};
  for (int flag : flags)
    EXPECT_EQ(flag, 0);
  EXPECT_TRUE(database.GetCurrentPath().IsEmpty());
  EXPECT_TRUE(database.GetMultiModulePath().IsEmpty());
  EXPECT_TRUE(database.GetSaveOnTrigMonitorRect() == CRect());
  EXPECT_EQ(database.StationMap.GetStartPosition(), nullptr);
}

TEST(CGUIDatabaseTest, CurrentPathIsReturnedAsCopy) {
  CGUIDatabase database;
  database.SetCurrentPath("/opt/zo");
  CString copy = database.GetCurrentPath();
  copy += "/other";
  EXPECT_STREQ(database.GetCurrentPath(), "/opt/zo");
}

TEST(CGUIDatabaseTest, FrontendNumbersBeforeInitAreNeverTakenOrWritten) {
  CGUIDatabase database;
  database.SetFrontendNo();
  database.ClearFrontendNo();
  database.ClearFrontendNo(1);
  database.ClearFrontendNo(0);
  EXPECT_EQ(database.GetFrontendNo(), None);
}

TEST(CGUIDatabaseTest, FrontendNumbersAreHandedOutLowestFirst) {
  CGUIDatabase database;
  database.Init();
  EXPECT_EQ(database.GetFrontendNo(), 1);
  EXPECT_EQ(database.GetFrontendNo(), 1);
  database.SetFrontendNo();
  EXPECT_EQ(database.GetFrontendNo(), 2);
  database.SetFrontendNo();
  database.SetFrontendNo();
  database.ClearFrontendNo(2);
  EXPECT_EQ(database.GetFrontendNo(), 2);
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

TEST(CGUIDatabaseTest, SecondInitFreesEveryNumber) {
  CGUIDatabase database;
  database.Init();
  database.SetFrontendNo();
  database.SetFrontendNo();
  database.Init();
  EXPECT_EQ(database.GetFrontendNo(), 1);
  database.ClearFrontendNo();
  EXPECT_EQ(database.GetFrontendNo(), 1);
}
