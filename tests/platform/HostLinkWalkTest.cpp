#include "tests/TempFiles.h"
#include "tests/support/ChildProcess.h"
#include <zodavudaz/platform/HostLinkWalk.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct WalkCase {
  const char* Name;
  /// What is made below top, steps apart by ';': "d PATH MODE" a folder (octal mode), "l PATH
  /// TARGET" a link; "other" ending a step gives what it makes to OtherUser.
  std::string Setup;
  /// The path walked, relative to top.
  const char* Path;
  /// What the walk gives, relative to top; null where it refuses (empty).
  const char* Walked;
};

/// The setup of links l1 to f, l2 to l1, ... up to l<links>.
std::string Chain(int links) {
  std::ostringstream setup;
  setup << "l l1 f";
  for (int hop = 2; hop <= links; ++hop)
    setup << ";l l" << hop << " l" << hop - 1;
  return setup.str();
}

/// Makes what setup describes below top.
void Make(const std::string& top, const std::string& setup) {
  std::istringstream steps(setup);
  for (std::string step; std::getline(steps, step, ';');) {
    std::istringstream words(step);
    std::string kind, path, value, owned;
    words >> kind >> path >> value >> owned;
    const uid_t owner = owned == "other" ? OtherUser : geteuid();
    const std::string at = top + "/" + path;
    if (kind == "d") {
      mkdir(at.c_str(), 0700);
      EXPECT_EQ(chown(at.c_str(), owner, owner), 0);
      EXPECT_EQ(chmod(at.c_str(), std::stoul(value, nullptr, 8)), 0);
    } else {
      EXPECT_EQ(symlink(value.c_str(), at.c_str()), 0) << path;
      EXPECT_EQ(lchown(at.c_str(), owner, owner), 0) << path;
    }
  }
}

const WalkCase WalkCases[] = {
    {"DotsTakenAsFolders", "d a 755", "./a/../f", "f"},
    {"ChainOfLinks", "l one f; l two TOP/one", "two", "f"},
    {"LinkedFolder", "d real 755; l folder real", "folder/f", "real/f"},
    // A relative target counts from the folder the link really lies in.
    {"TargetAboveLinkedFolder", "d real 755; d real/inner 755; l folder real/inner; l real/inner/up ../f", "folder/up",
     "real/f"},
    {"LoopRefused", "l loop loop", "loop", nullptr},
    {"FortyLinksFollowed", Chain(40), "l40", "f"},
    {"FortyOneLinksRefused", Chain(41), "l41", nullptr},
    {"OthersLinkInStickyFolderOnTheWayRefused", "d real 755; d shared 1777; l shared/folder ../real other",
     "shared/folder/f", nullptr},
    {"StickyFolderOwnersLink", "d shared 1777 other; l shared/link ../f other", "shared/link", "f"},
    {"OthersLinkInFolderWithoutStickyBit", "d open 777; l open/link ../f other", "open/link", "f"},
    {"OthersLinkInStickyFolderOthersCannotWrite", "d group 1775; l group/link ../f other", "group/link", "f"},
};

void PrintTo(const WalkCase& row, std::ostream* out) { *out << row.Name; }

class HostLinkWalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(HostLinkWalkTest, GivesTheFileTheLinksName) {
  const WalkCase& row = GetParam();
  if (row.Setup.find("other") != std::string::npos && !IsPrivileged())
    GTEST_SKIP() << "needs root to give links to user " << OtherUser;
  TempFolder folder;
  const std::string top = folder.Path.string();
  WriteAll(top + "/f", "x");
  std::string setup = row.Setup;
  // An absolute target: the temporary folder's path stands for TOP.
  if (const std::size_t at = setup.find("TOP"); at != std::string::npos)
    setup.replace(at, 3, top);
  Make(top, setup);
  const std::string walked(WalkHostLinks((top + "/" + row.Path).c_str()));
  EXPECT_EQ(walked, row.Walked == nullptr ? std::string() : top + "/" + row.Walked);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostLinkWalkTest, ::testing::ValuesIn(WalkCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A relative path counts from the working folder and comes back absolute.
TEST(HostLinkWalkTest, RelativePathComesBackAbsolute) {
  TempFolder folder;
  const std::filesystem::path working = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path);
  symlink("f", "link");
  const std::string walked(WalkHostLinks("link"));
  std::filesystem::current_path(working);
  EXPECT_EQ(walked, folder / "f");
}
} // namespace
