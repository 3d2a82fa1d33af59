#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

TEST(FrontendCopyTest, CopyOfAModuleFrontendReachesTheSameModule) {
  SimReset();
  CFeModule* original = SimCreateFrontend({.Station = 4, .ModuleId = 2});
  ASSERT_NE(original, nullptr);
  {
    CFeModule copy(*original);
    EXPECT_EQ(copy.Query(0, 0x123, nullptr, 0xFF, 0, nullptr, 4), 0);
    CFeModule assigned;
    assigned = copy;
    EXPECT_EQ(assigned.Query(0, 0x124, nullptr, 0xFF, 0, nullptr, 4), 0);
  }
  EXPECT_EQ(SimQueries(4, 2).size(), 2u);
  EXPECT_EQ(SimLiveFrontends(4, 2), 1);
  EXPECT_EQ(original->Query(0, 0x125, nullptr, 0xFF, 0, nullptr, 4), 0);
  SimReset();
}
