#include "tests/TempFiles.h"
#include "tests/support/ChildProcess.h"
#include <zodavudaz/platform/HostLinkWalk.h>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct WalkCase {
  const char* Name;
  bool NeedsPrivilege;
  /// Makes the links and folders below top; the path to walk, relative to top.
  std::function<std::string(const std::string& top)> Setup;
  /// What the walk gives, relative to top; null where it refuses (empty).
  const char* Walked;
};

/// A link at path to target, owned by owner.
void Link(const std::string& target, const std::string& path, uid_t owner = geteuid()) {
  EXPECT_EQ(symlink(target.c_str(), path.c_str()), 0) << path;
  EXPECT_EQ(lchown(path.c_str(), owner, owner), 0) << path;
}

/// A folder with mode, owned by owner.
void Folder(const std::string& path, mode_t mode, uid_t owner = geteuid()) {
  mkdir(path.c_str(), 0700);
  EXPECT_EQ(chown(path.c_str(), owner, owner), 0);
  EXPECT_EQ(chmod(path.c_str(), mode), 0);
}

/// Links l1 to f, l2 to l1, ... up to l<hops> below top; gives the last link's name.
std::string LinkChain(const std::string& top, int hops) {
  std::string target = "f";
  for (int hop = 1; hop <= hops; ++hop) {
    // Appended rather than "l" + ...: GCC 12 takes that for an overlapping copy in Release.
    std::string name = "l";
    name += std::to_string(hop);
    Link(target, top + "/" + name);
    target = name;
  }
  return target;
}

const WalkCase WalkCases[] = {
    {"PlainName", false, [](const std::string&) { return "f"; }, "f"},
    {"DotsTakenAsFolders", false,
     [](const std::string& top) {
       Folder(top + "/a", 0755);
       return "./a/../f";
     },
     "f"},
    {"LinkToFile", false,
     [](const std::string& top) {
       Link("f", top + "/link");
       return "link";
     },
     "f"},
    {"ChainOfLinks", false,
     [](const std::string& top) {
       Link("f", top + "/one");
       Link(top + "/one", top + "/two");
       return "two";
     },
     "f"},
    {"DanglingLinkNamesItsTarget", false,
     [](const std::string& top) {
       Link("missing", top + "/link");
       return "link";
     },
     "missing"},
    {"LinkedFolder", false,
     [](const std::string& top) {
       Folder(top + "/real", 0755);
       Link("real", top + "/folder");
       return "folder/f";
     },
     "real/f"},
    // A relative target counts from the folder the link really lies in.
    {"TargetAboveLinkedFolder", false,
     [](const std::string& top) {
       Folder(top + "/real", 0755);
       Folder(top + "/real/inner", 0755);
       Link("real/inner", top + "/folder");
       Link("../f", top + "/real/inner/up");
       return "folder/up";
     },
     "real/f"},
    {"LoopRefused", false,
     [](const std::string& top) {
       Link("loop", top + "/loop");
       return "loop";
     },
     nullptr},
    {"FortyLinksFollowed", false, [](const std::string& top) { return LinkChain(top, 40); }, "f"},
    {"FortyOneLinksRefused", false, [](const std::string& top) { return LinkChain(top, 41); }, nullptr},
    {"OwnLinkInStickyFolder", false,
     [](const std::string& top) {
       Folder(top + "/shared", 01777);
       Link("../f", top + "/shared/link");
       return "shared/link";
     },
     "f"},
    {"OthersLinkInStickyFolderRefused", true,
     [](const std::string& top) {
       Folder(top + "/shared", 01777);
       Link("../f", top + "/shared/link", OtherUser);
       return "shared/link";
     },
     nullptr},
    {"OthersLinkInStickyFolderOnTheWayRefused", true,
     [](const std::string& top) {
       Folder(top + "/real", 0755);
       Folder(top + "/shared", 01777);
       Link("../real", top + "/shared/folder", OtherUser);
       return "shared/folder/f";
     },
     nullptr},
    {"StickyFolderOwnersLink", true,
     [](const std::string& top) {
       Folder(top + "/shared", 01777, OtherUser);
       Link("../f", top + "/shared/link", OtherUser);
       return "shared/link";
     },
     "f"},
    {"OthersLinkInFolderWithoutStickyBit", true,
     [](const std::string& top) {
       Folder(top + "/open", 0777);
       Link("../f", top + "/open/link", OtherUser);
       return "open/link";
     },
     "f"},
    {"OthersLinkInStickyFolderOthersCannotWrite", true,
     [](const std::string& top) {
       Folder(top + "/group", 01775);
       Link("../f", top + "/group/link", OtherUser);
       return "group/link";
     },
     "f"},
};

void PrintTo(const WalkCase& row, std::ostream* out) { *out << row.Name; }

class HostLinkWalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(HostLinkWalkTest, GivesTheFileTheLinksName) {
  const WalkCase& row = GetParam();
  if (row.NeedsPrivilege && !IsPrivileged())
    GTEST_SKIP() << "needs root to give links to user " << OtherUser;
  TempFolder folder;
  const std::string top = folder.Path.string();
  WriteAll(top + "/f", "x");
  const std::string walked(WalkHostLinks((top + "/" + row.Setup(top)).c_str()));
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
