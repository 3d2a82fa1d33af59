#include <zodavudaz/settings/ProfileTurn.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
struct TurnRow {
  const char* Name;
  /// The callers in the order they enter: 'R' or 'W' for path A, 'r' or 'w' for path B.
  std::string Callers;
  /// Each step names the caller that leaves (by position), then which callers are served, as a
  /// text of '1' (served), '0' (waiting) and '-' (gone). The first step leaves nobody (-1).
  std::vector<std::pair<int, std::string>> Steps;
};

const TurnRow Rows[] = {
    {"writers one by one in order", "WWW", {{-1, "100"}, {0, "-10"}, {1, "--1"}}},
    {"readers together", "RRR", {{-1, "111"}}},
    {"a waiting writer holds later readers back", "RWR", {{-1, "100"}, {0, "-10"}, {1, "--1"}}},
    {"readers after a writer go together", "WRRW", {{-1, "1000"}, {0, "-110"}, {2, "-1-0"}, {1, "---1"}}},
    {"the last writer waits for every reader before it", "RRRW", {{-1, "1110"}, {1, "1-10"}, {0, "--10"}, {2, "---1"}}},
    {"a writer that gives up lets the readers behind it go", "RWR", {{-1, "100"}, {1, "1-1"}}},
    {"other paths do not wait", "WwRr", {{-1, "1100"}, {1, "1-01"}, {0, "--11"}}},
};

std::string Served(std::vector<ProfileTurn>& turns, const std::string& gone) {
  std::string served;
  for (std::size_t index = 0; index < turns.size(); ++index)
    served += gone[index] == '-' ? '-' : turns[index].Wait(0) ? '1' : '0';
  return served;
}

TEST(ProfileTurnTest, ServesCallersInTheOrderTheyCame) {
  for (const TurnRow& row : Rows) {
    SCOPED_TRACE(row.Name);
    std::vector<ProfileTurn> turns(row.Callers.size());
    for (std::size_t index = 0; index < turns.size(); ++index) {
      const char kind = row.Callers[index];
      ASSERT_TRUE(turns[index].Enter(kind == 'R' || kind == 'W' ? "A" : "B", kind == 'W' || kind == 'w', 1000));
    }
    std::string gone(turns.size(), ' ');
    for (const auto& [leaving, expected] : row.Steps) {
      if (leaving >= 0) {
        turns[static_cast<std::size_t>(leaving)].Leave();
        gone[static_cast<std::size_t>(leaving)] = '-';
      }
      EXPECT_EQ(Served(turns, gone), expected) << "after caller " << leaving << " left";
    }
  }
}
} // namespace
