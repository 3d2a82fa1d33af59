#include <zodavudaz/platform/CPtrList.h>

#include "tests/support/HeapUse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
std::vector<void*> Walk(const CPtrList& list) {
  std::vector<void*> values;
  for (POSITION position = list.GetHeadPosition(); position != nullptr;)
    values.push_back(list.GetNext(position));
  return values;
}

std::vector<void*> Tags(int first, int count) {
  std::vector<void*> tags;
  for (int n = first; n < first + count; ++n)
    tags.push_back(reinterpret_cast<void*>(static_cast<std::uintptr_t>(n)));
  return tags;
}

void AddAll(CPtrList& list, const std::vector<void*>& values) {
  for (void* value : values)
    ASSERT_NE(list.AddTail(value), nullptr);
}
} // namespace

TEST(CPtrListTest, WalkFollowsAddOrderAcrossChainedBlocks) {
  const struct {
    const char* Name;
    int BlockSize;
    int Count;
  } rows[] = {
      {"Empty", 10, 0},
      {"One", 10, 1},
      {"ExactlyOneBlock", 10, 10},
      {"OneIntoSecondBlock", 10, 11},
      {"ManyBlocks", 3, 100},
      {"BlockSizeZeroIsOne", 0, 25},
      {"NegativeBlockSizeIsOne", -5, 25},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    CPtrList list(row.BlockSize);
    AddAll(list, Tags(1, row.Count));
    EXPECT_EQ(list.GetCount(), row.Count);
    EXPECT_EQ(Walk(list), Tags(1, row.Count));
  }
}

TEST(CPtrListTest, BlocksAreReleasedByRemoveAllAndDestruction) {
  const std::size_t heapBefore = HeapBytesInUse();
  {
    CPtrList list(3);
    AddAll(list, Tags(1, 40));
    list.RemoveAll();
    EXPECT_EQ(HeapBytesInUse(), heapBefore);
    AddAll(list, Tags(1, 40));
  }
  EXPECT_EQ(HeapBytesInUse(), heapBefore);
}
