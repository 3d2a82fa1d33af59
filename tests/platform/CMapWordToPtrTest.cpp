#include <zodavudaz/platform/CMapWordToPtr.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
/// The keys in walk order, each removed right after it is walked where removeWalked.
std::vector<WORD> WalkKeys(CMapWordToPtr& map, bool removeWalked = false) {
  std::vector<WORD> keys;
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    WORD key = 0;
    void* value = nullptr;
    map.GetNextAssoc(position, key, value);
    keys.push_back(key);
    EXPECT_TRUE(!removeWalked || map.RemoveKey(key)) << key;
  }
  return keys;
}

void* Tag(int n) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(n)); }

struct WalkCase {
  const char* Name;
  std::vector<WORD> Filed;
  std::vector<WORD> Walk;
};

const WalkCase WalkCases[] = {
    {"keys of one bucket walk newest first", {1, 2, 16}, {2, 1, 16}},
    {"buckets walk in ascending order", {300, 20, 5}, {5, 20, 300}},
    {"bucket number wraps at 17", {17 * 16, 0, 16}, {0, 17 * 16, 16}},
    {"a key filed again keeps its place", {1, 2, 1}, {2, 1}},
    {"highest key", {0xFFFF, 0}, {0, 0xFFFF}},
};
} // namespace

TEST(CMapWordToPtrTest, WalkFollowsBucketAndChainOrder) {
  for (const WalkCase& row : WalkCases) {
    SCOPED_TRACE(row.Name);
    CMapWordToPtr map;
    for (WORD key : row.Filed)
      ASSERT_TRUE(map.SetAt(key, Tag(key)));
    EXPECT_EQ(WalkKeys(map), row.Walk);
  }
}

TEST(CMapWordToPtrTest, RemovingTheEntryJustWalkedKeepsTheWalk) {
  CMapWordToPtr map;
  for (WORD key = 0; key < 40; ++key)
    map.SetAt(key, Tag(key));
  EXPECT_EQ(WalkKeys(map, true).size(), 40u);
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetStartPosition(), nullptr);
}
