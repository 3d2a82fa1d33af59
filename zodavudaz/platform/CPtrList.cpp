#include <zodavudaz/platform/CPtrList.h>

#include <cstdlib>
#include <utility>

struct CPtrList::Node {
  Node* Next;
  Node* Prev;
  void* Value;
};

struct CPtrList::Block {
  Block* Next;
};

CPtrList::CPtrList(int blockSize) noexcept : BlockSize(blockSize < 1 ? 1 : blockSize) {}

CPtrList::~CPtrList() { RemoveAll(); }

POSITION CPtrList::AddTail(void* value) noexcept {
  Node* node = NewNode();
  if (node == nullptr)
    return nullptr;
  node->Value = value;
  node->Next = nullptr;
  node->Prev = Tail;
  (Tail != nullptr ? Tail->Next : Head) = node;
  Tail = node;
  ++Count;
  return reinterpret_cast<POSITION>(node);
}

void CPtrList::RemoveAll() noexcept {
  while (Blocks != nullptr)
    std::free(std::exchange(Blocks, Blocks->Next));
  Head = Tail = FreeList = nullptr;
  Count = 0;
}

POSITION CPtrList::GetHeadPosition() const noexcept { return reinterpret_cast<POSITION>(Head); }

void*& CPtrList::GetNext(POSITION& next) const noexcept {
  Node* node = reinterpret_cast<Node*>(next);
  next = reinterpret_cast<POSITION>(node->Next);
  return node->Value;
}

CPtrList::Node* CPtrList::NewNode() noexcept {
  if (FreeList == nullptr) {
    // The first node-sized slot of a block links the blocks.
    void* memory = std::malloc(sizeof(Node) * (static_cast<size_t>(BlockSize) + 1));
    if (memory == nullptr)
      return nullptr;
    Block* block = static_cast<Block*>(memory);
    block->Next = Blocks;
    Blocks = block;
    Node* slots = static_cast<Node*>(memory) + 1;
    for (int i = BlockSize - 1; i >= 0; --i) {
      slots[i].Next = FreeList;
      FreeList = &slots[i];
    }
  }
  Node* node = FreeList;
  FreeList = node->Next;
  return node;
}
