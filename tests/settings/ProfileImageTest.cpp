#include <zodavudaz/settings/ProfileImage.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {
// A 100 KB section name, "][" over and over, whose header occurs at every other byte of 2 MB of long lines, each line
// beginning with it and going on past it: a search that compares at every occurrence compares
// tens of gigabytes (seconds); one look per line takes about a millisecond.
TEST(ProfileImageTest, FindSectionTakesLinearTimeWhereTheHeaderOccursAtEveryOtherByte) {
  std::string name;
  while (name.size() < 100 * 1024)
    name += "][";
  std::string line;
  while (line.size() < 150 * 1024)
    line += "[]";
  line += "x\r\n";
  std::string text;
  while (text.size() < 2 * 1024 * 1024)
    text += line;
  ProfileImage image;
  image.GetBytes() = CString(text.data(), static_cast<int>(text.size()));
  const auto start = std::chrono::steady_clock::now();
  ProfileSection found{};
  EXPECT_FALSE(image.FindSection(name.c_str(), found));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // Generous for a loaded machine and a sanitizer build, still far below the quadratic search.
  EXPECT_LT(elapsed, std::chrono::milliseconds(500));
}
} // namespace
