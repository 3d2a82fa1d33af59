// The framework's doubly linked list of pointers.
#ifndef ZODAVUDAZ_PLATFORM_CPTRLIST_H
#define ZODAVUDAZ_PLATFORM_CPTRLIST_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// List of void*, nodes allocated in blocks of blockSize; it stores the pointers and deletes
/// nothing. No member throws: an AddTail that cannot allocate returns null.
class ZODAVUDAZ_EXPORT CPtrList {
public:
  explicit CPtrList(int blockSize = 10) noexcept;
  CPtrList(const CPtrList&) = delete;
  CPtrList& operator=(const CPtrList&) = delete;
  ~CPtrList();

  int GetCount() const noexcept { return Count; }
  BOOL IsEmpty() const noexcept { return Count == 0; }
  /// Appends value; the position of the new node, or null when it cannot be allocated.
  POSITION AddTail(void* value) noexcept;
  void RemoveAll() noexcept;
  POSITION GetHeadPosition() const noexcept;
  /// The value at next, and next moved on to the following node (null after the last).
  void*& GetNext(POSITION& next) const noexcept;

private:
  struct Node;
  struct Block;
  Node* NewNode() noexcept;

  Node* Head = nullptr;
  Node* Tail = nullptr;
  int Count = 0;
  Node* FreeList = nullptr;
  Block* Blocks = nullptr;
  int BlockSize;
};

#endif
