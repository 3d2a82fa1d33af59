// The framework's hash map from a 16-bit key to a pointer.
#ifndef ZODAVUDAZ_PLATFORM_CMAPWORDTOPTR_H
#define ZODAVUDAZ_PLATFORM_CMAPWORDTOPTR_H

#include <zodavudaz/platform/HashMapCore.h>

/// Picks bucket (key >> 4) mod the bucket count, so that keys 0 to 15 share the first bucket.
struct WordKeyHash {
  UINT operator()(WORD key) const noexcept { return static_cast<UINT>(key) >> 4; }
};

/// Map from WORD to void*, 17 buckets by default, entries allocated in blocks of blockSize.
class CMapWordToPtr : public HashMapCore<WORD, WordKeyHash> {
public:
  explicit CMapWordToPtr(int blockSize = 10) noexcept : HashMapCore(blockSize) {}
};

#endif
