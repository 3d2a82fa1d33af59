#include "platform/CMapWordToPtr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
std::vector<WORD> WalkKeys(const CMapWordToPtr& map) {
  std::vector<WORD> keys;
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    WORD key = 0;
    void* value = nullptr;
    map.GetNextAssoc(position, key, value);
    keys.push_back(key);
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

TEST(CMapWordToPtrTest, FilingAgainReplacesTheValue) {
  CMapWordToPtr map;
  map.SetAt(7, Tag(1));
  map.SetAt(7, Tag(2));
  void* value = nullptr;
  ASSERT_TRUE(map.Lookup(7, value));
  EXPECT_EQ(value, Tag(2));
  EXPECT_EQ(map.GetCount(), 1);
}

TEST(CMapWordToPtrTest, RemovingTheEntryJustWalkedKeepsTheWalk) {
  CMapWordToPtr map;
  for (WORD key = 0; key < 40; ++key)
    map.SetAt(key, Tag(key));
  std::vector<WORD> visited;
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    WORD key = 0;
    void* value = nullptr;
    map.GetNextAssoc(position, key, value);
    visited.push_back(key);
    EXPECT_TRUE(map.RemoveKey(key));
  }
  EXPECT_EQ(visited.size(), 40u);
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMapWordToPtrTest, EmptiedMapFindsNothingAndRefillsInOrder) {
  CMapWordToPtr map;
  void* value = nullptr;
  EXPECT_FALSE(map.Lookup(0, value));
  EXPECT_FALSE(map.RemoveKey(0));
  map.SetAt(3, Tag(3));
  map.RemoveKey(3);
  EXPECT_FALSE(map.Lookup(3, value));
  EXPECT_EQ(map.GetStartPosition(), nullptr);
  map.SetAt(1, Tag(1));
  map.SetAt(2, Tag(2));
  map.RemoveAll();
  EXPECT_EQ(map.GetCount(), 0);
  map.SetAt(4, Tag(4));
  map.SetAt(5, Tag(5));
  EXPECT_EQ(WalkKeys(map), (std::vector<WORD>{5, 4}));
}

TEST(CMapWordToPtrTest, ManyEntriesSpanSeveralBlocks) {
  CMapWordToPtr map(3);
  for (WORD key = 0; key < 100; ++key)
    ASSERT_TRUE(map.SetAt(static_cast<WORD>(key * 7), Tag(key)));
  for (WORD key = 0; key < 100; key += 2)
    ASSERT_TRUE(map.RemoveKey(static_cast<WORD>(key * 7)));
  EXPECT_EQ(map.GetCount(), 50);
  for (WORD key = 1; key < 100; key += 2) {
    void* value = nullptr;
    ASSERT_TRUE(map.Lookup(static_cast<WORD>(key * 7), value));
    EXPECT_EQ(value, Tag(key));
  }
}
