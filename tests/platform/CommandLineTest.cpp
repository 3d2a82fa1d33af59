#include <zodavudaz/platform/CommandLine.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(CommandLineTest, OwnCommandLineStartsWithTheProgramAndAnOverrideReplacesIt) {
  const char* own = GetCommandLineA();
  EXPECT_NE(std::strstr(own, "test-platform"), nullptr) << own;
  OverrideCommandLine("app.exe -g");
  EXPECT_STREQ(GetCommandLineA(), "app.exe -g");
  OverrideCommandLine(nullptr);
  EXPECT_STREQ(GetCommandLineA(), own);
}
