#include <zodavudaz/entry/LibraryVersion.h>

#include <zodavudaz/Version.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

// The text and the numbers describe one version, the one the headers were made with.
TEST(LibraryVersionTest, TextAndNumbersAgreeWithTheHeaders) {
  int major = -1, minor = -1, patch = -1;
  const std::string text = GetZoDavudazVersion(&major, &minor, &patch);
  EXPECT_EQ(text, ZODAVUDAZ_VERSION_STRING);
  EXPECT_EQ(text, std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch));
  EXPECT_EQ(std::tie(major, minor, patch),
            std::make_tuple(ZODAVUDAZ_VERSION_MAJOR, ZODAVUDAZ_VERSION_MINOR, ZODAVUDAZ_VERSION_PATCH));
  EXPECT_STREQ(GetZoDavudazVersion(nullptr, nullptr, nullptr), ZODAVUDAZ_VERSION_STRING);
}
