// The framework's growable array of 16-bit words.
#ifndef ZODAVUDAZ_PLATFORM_CWORDARRAY_H
#define ZODAVUDAZ_PLATFORM_CWORDARRAY_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Array of WORD with a size that the owner sets; no member throws.
class ZODAVUDAZ_EXPORT CWordArray {
public:
  CWordArray() noexcept = default;
  CWordArray(const CWordArray&) = delete;
  CWordArray& operator=(const CWordArray&) = delete;
  ~CWordArray();

  int GetSize() const noexcept { return Size; }
  /// Resizes to newSize entries; new entries are 0. Returns FALSE, size unchanged, when the
  /// storage cannot be allocated.
  BOOL SetSize(int newSize) noexcept;
  void RemoveAll() noexcept;

  /// Entry index; the caller keeps index below GetSize().
  WORD GetAt(int index) const noexcept { return Words[index]; }
  void SetAt(int index, WORD value) noexcept { Words[index] = value; }
  WORD operator[](int index) const noexcept { return Words[index]; }
  WORD& operator[](int index) noexcept { return Words[index]; }
  /// Appends value; returns its index, or -1 when the storage cannot grow.
  int Add(WORD value) noexcept;

private:
  WORD* Words = nullptr;
  int Size = 0;
};

#endif
