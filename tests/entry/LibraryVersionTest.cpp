#include <zodavudaz/entry/LibraryVersion.h>

#include <zodavudaz/Version.h>

#include <gtest/gtest.h>

#include <string>

// The text and the numbers describe one version, the one the headers were made with.
TEST(LibraryVersionTest, TextAndNumbersAgreeWithTheHeaders) {
  int major = -1;
  int minor = -1;
  int patch = -1;
  const std::string text = GetZoDavudazVersion(&major, &minor, &patch);
  EXPECT_EQ(text, ZODAVUDAZ_VERSION_STRING);
  EXPECT_EQ(text, std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch));
  EXPECT_EQ(major, ZODAVUDAZ_VERSION_MAJOR);
  EXPECT_EQ(minor, ZODAVUDAZ_VERSION_MINOR);
  EXPECT_EQ(patch, ZODAVUDAZ_VERSION_PATCH);
  EXPECT_STREQ(GetZoDavudazVersion(nullptr, nullptr, nullptr), ZODAVUDAZ_VERSION_STRING);
}
