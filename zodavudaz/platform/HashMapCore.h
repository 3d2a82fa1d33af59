// The chained hash table behind the framework's maps: bucket order, chain order and block storage.
#ifndef ZODAVUDAZ_PLATFORM_HASHMAPCORE_H
#define ZODAVUDAZ_PLATFORM_HASHMAPCORE_H

#include <zodavudaz/platform/BaseTypes.h>

#include <cstdlib>
#include <new>
#include <utility>

/// A map from KeyT to a pointer, chained in buckets that Hash picks. A new key goes to the head of
/// its bucket's chain and a key filed again keeps its place; a walk visits buckets in ascending
/// order and each chain from its head. Entries live in blocks of BlockSize; the bucket table exists
/// only while the map holds an entry. Removing the entry that GetNextAssoc has just returned keeps
/// the walk intact. Allocation never throws: a SetAt that cannot allocate files nothing.
template <typename KeyT, typename Hash>
class HashMapCore {
public:
  explicit HashMapCore(int blockSize) noexcept : BlockSize(blockSize < 1 ? 1 : blockSize) {}
  HashMapCore(const HashMapCore&) = delete;
  HashMapCore& operator=(const HashMapCore&) = delete;
  ~HashMapCore() { RemoveAll(); }

  int GetCount() const noexcept { return Count; }
  BOOL IsEmpty() const noexcept { return Count == 0; }
  UINT GetHashTableSize() const noexcept { return HashTableSize; }
  /// Sets the bucket count; only takes effect while the map holds no entry.
  void InitHashTable(UINT size) noexcept {
    if (Count == 0 && size > 0) {
      ReleaseStorage();
      HashTableSize = size;
    }
  }

  BOOL Lookup(const KeyT& key, void*& value) const noexcept {
    const Assoc* assoc = Find(key);
    if (assoc == nullptr)
      return FALSE;
    value = assoc->Value;
    return TRUE;
  }

  BOOL SetAt(const KeyT& key, void* value) noexcept {
    if (Assoc* existing = Find(key)) {
      existing->Value = value;
      return TRUE;
    }
    if (Buckets == nullptr && !AllocateBuckets())
      return FALSE;
    Assoc* assoc = NewAssoc(key);
    if (assoc == nullptr)
      return FALSE;
    const UINT bucket = BucketOf(key);
    assoc->Bucket = bucket;
    assoc->Value = value;
    assoc->Next = Buckets[bucket];
    Buckets[bucket] = assoc;
    ++Count;
    return TRUE;
  }

  BOOL RemoveKey(const KeyT& key) noexcept {
    if (Buckets == nullptr)
      return FALSE;
    for (Assoc** link = &Buckets[BucketOf(key)]; *link != nullptr; link = &(*link)->Next) {
      if ((*link)->Key == key) {
        Assoc* found = *link;
        *link = found->Next;
        FreeAssoc(found);
        return TRUE;
      }
    }
    return FALSE;
  }

  void RemoveAll() noexcept {
    for (UINT bucket = 0; Buckets != nullptr && bucket < HashTableSize; ++bucket)
      for (Assoc* assoc = Buckets[bucket]; assoc != nullptr; assoc = assoc->Next)
        assoc->Key.~KeyT();
    Count = 0;
    ReleaseStorage();
  }

  POSITION GetStartPosition() const noexcept { return Count == 0 ? nullptr : AsPosition(FirstFrom(0)); }

  void GetNextAssoc(POSITION& next, KeyT& key, void*& value) const noexcept {
    const Assoc* assoc = reinterpret_cast<const Assoc*>(next);
    key = assoc->Key;
    value = assoc->Value;
    next = AsPosition(assoc->Next != nullptr ? assoc->Next : FirstFrom(assoc->Bucket + 1));
  }

private:
  struct Assoc {
    Assoc* Next;
    UINT Bucket;
    KeyT Key;
    void* Value;
  };
  struct Block {
    Block* Next;
  };

  static POSITION AsPosition(const Assoc* assoc) noexcept {
    return reinterpret_cast<POSITION>(const_cast<Assoc*>(assoc));
  }

  UINT BucketOf(const KeyT& key) const noexcept { return Hash()(key) % HashTableSize; }

  Assoc* Find(const KeyT& key) const noexcept {
    if (Buckets == nullptr)
      return nullptr;
    for (Assoc* assoc = Buckets[BucketOf(key)]; assoc != nullptr; assoc = assoc->Next)
      if (assoc->Key == key)
        return assoc;
    return nullptr;
  }

  const Assoc* FirstFrom(UINT bucket) const noexcept {
    for (; bucket < HashTableSize; ++bucket)
      if (Buckets[bucket] != nullptr)
        return Buckets[bucket];
    return nullptr;
  }

  bool AllocateBuckets() noexcept {
    // The table holds one chain head pointer per bucket.
    Buckets = static_cast<Assoc**>(std::calloc(HashTableSize, sizeof(Assoc*))); // NOLINT(bugprone-sizeof-expression)
    return Buckets != nullptr;
  }

  Assoc* NewAssoc(const KeyT& key) noexcept {
    if (FreeList == nullptr && !AddBlock())
      return nullptr;
    Assoc* assoc = FreeList;
    FreeList = assoc->Next;
    new (&assoc->Key) KeyT(key);
    return assoc;
  }

  bool AddBlock() noexcept {
    void* memory = std::malloc(sizeof(Assoc) * (static_cast<size_t>(BlockSize) + 1));
    if (memory == nullptr)
      return false;
    // The first slot of a block links the blocks; the others join the free list.
    Block* block = static_cast<Block*>(memory);
    block->Next = Blocks;
    Blocks = block;
    Assoc* slots = static_cast<Assoc*>(memory) + 1;
    for (int i = BlockSize - 1; i >= 0; --i) {
      slots[i].Next = FreeList;
      FreeList = &slots[i];
    }
    return true;
  }

  void FreeAssoc(Assoc* assoc) noexcept {
    assoc->Key.~KeyT();
    assoc->Next = FreeList;
    FreeList = assoc;
    if (--Count == 0)
      ReleaseStorage();
  }

  void ReleaseStorage() noexcept {
    std::free(Buckets);
    Buckets = nullptr;
    while (Blocks != nullptr)
      std::free(std::exchange(Blocks, Blocks->Next));
    FreeList = nullptr;
  }

  Assoc** Buckets = nullptr;
  UINT HashTableSize = 17;
  int Count = 0;
  Assoc* FreeList = nullptr;
  Block* Blocks = nullptr;
  int BlockSize;
};

#endif
