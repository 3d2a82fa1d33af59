#include <zodavudaz/platform/CWordArray.h>

#include <cstdlib>
#include <cstring>

CWordArray::~CWordArray() { RemoveAll(); }

BOOL CWordArray::SetSize(int newSize) noexcept {
  if (newSize < 0)
    return FALSE;
  if (newSize == 0) {
    RemoveAll();
    return TRUE;
  }
  void* grown = std::realloc(Words, static_cast<size_t>(newSize) * sizeof(WORD));
  if (grown == nullptr)
    return FALSE;
  Words = static_cast<WORD*>(grown);
  if (newSize > Size)
    std::memset(Words + Size, 0, static_cast<size_t>(newSize - Size) * sizeof(WORD));
  Size = newSize;
  return TRUE;
}

void CWordArray::RemoveAll() noexcept {
  std::free(Words);
  Words = nullptr;
  Size = 0;
}

int CWordArray::Add(WORD value) noexcept {
  if (!SetSize(Size + 1))
    return -1;
  Words[Size - 1] = value;
  return Size - 1;
}
