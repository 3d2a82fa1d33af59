#include "tests/TempFiles.h"
#include <zodavudaz/settings/ProfileTicket.h>

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
// Each ticket opens the folder anew, so tickets of one process stand in for those of several, and
// one that leaves for a process killed in its place: its place goes with the folder it opened.
TEST(ProfileTicketTest, ServesPlacesInTheOrderTheyWereTaken) {
  TempFolder folder;
  std::array<ProfileTicket, 4> tickets;
  for (ProfileTicket& ticket : tickets)
    ASSERT_TRUE(ticket.Take((folder / "Mardel.tmp").c_str()));
  // The ticket that leaves (-1: none), then whether each ticket still held is served: a waiter
  // that leaves early holds up nobody.
  const std::pair<int, const char*> steps[] = {{-1, "1000"}, {2, "10-0"}, {0, "-1-0"}, {1, "---1"}};
  for (const auto& [leaving, served] : steps) {
    if (leaving >= 0)
      tickets[static_cast<std::size_t>(leaving)].Leave();
    for (std::size_t index = 0; index < tickets.size(); ++index) {
      if (served[index] != '-') {
        EXPECT_EQ(tickets[index].Wait(0), served[index] == '1') << "after " << leaving << ", ticket " << index;
      }
    }
  }
}

TEST(ProfileTicketTest, FilesOfOneFolderAndNamesOfOneFileQueueAsTheFileDoes) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  const std::string link = folder / "Link.tmp";
  ASSERT_EQ(symlink("Mardel.tmp", link.c_str()), 0);
  ProfileTicket first;
  ASSERT_TRUE(first.Take(file.c_str()));
  ProfileTicket otherFile;
  ASSERT_TRUE(otherFile.Take((folder / "Mardel.ini").c_str()));
  EXPECT_TRUE(otherFile.Wait(0)) << "another file's writers wait for this one's";
  ProfileTicket throughLink;
  ASSERT_TRUE(throughLink.Take(link.c_str()));
  EXPECT_FALSE(throughLink.Wait(0)) << "a writer through a link overtakes one through the file's name";
  EXPECT_EQ(folder.Count(), 1) << "a place left a file behind";
}

// The places' bytes are a layout that 32-bit and 64-bit processes of one file share.
TEST(ProfileTicketTest, PlacesLieWhereEveryBuildLooks) {
  const std::pair<const char*, std::uint64_t> rows[] = {
      {"Mardel.tmp", 0x1392BF2300000000ull}, {"Mardel.ini", 0x05673A0000000000ull}, {"", 0x0422232500000000ull}};
  for (const auto& [name, firstPlace] : rows)
    EXPECT_EQ(ProfileTicket::FirstPlaceOf(name, static_cast<int>(std::strlen(name))), firstPlace) << name;
}
} // namespace
