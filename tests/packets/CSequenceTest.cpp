#include <zodavudaz/packets/CSequence.h>

#include <gtest/gtest.h>

TEST(CSequenceTest, CopyHasItsOwnSetupPath) {
  CSequence original;
  original.SetSetupPath("C:\\setup");
  CSequence copy(original);
  copy.SetSetupPath(copy.GetSetupPath() + "\\more");
  EXPECT_EQ(original.GetSetupPath(), "C:\\setup");
  EXPECT_EQ(copy.GetSetupPath(), "C:\\setup\\more");
  original = copy;
  EXPECT_EQ(original.GetSetupPath(), "C:\\setup\\more");
}
