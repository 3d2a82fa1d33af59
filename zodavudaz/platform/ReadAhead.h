// Bytes that a file object has read beyond its position, so that many small reads cost one call.
#ifndef ZODAVUDAZ_PLATFORM_READAHEAD_H
#define ZODAVUDAZ_PLATFORM_READAHEAD_H

#include <zodavudaz/platform/BaseTypes.h>

/// One block of a file's bytes from Start, of which the first Used lie behind the reader's
/// position; the file's own position stands after the block.
class ReadAhead {
public:
  /// Reads of this size or more bypass the block.
  static constexpr UINT BlockSize = 64 * 1024;

  ReadAhead() noexcept = default;
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  ~ReadAhead() { delete[] Block; }

  /// Whether bytes are held, so that the reader's position is GetPosition().
  bool IsHeld() const noexcept { return Length > 0; }
  LONG GetPosition() const noexcept { return Start + static_cast<LONG>(Used); }
  /// Bytes held beyond the reader's position.
  UINT GetUnused() const noexcept { return Length - Used; }
  /// Copies up to count bytes from the position on and moves past them; how many it copied.
  UINT Take(void* buffer, UINT count) noexcept;
  /// Moves the position by offset; false, moving nothing, where it would leave the held bytes.
  bool Move(LONG offset) noexcept;
  /// Room for BlockSize bytes to be filled, from the second small read of a file on (a single
  /// read gains nothing from a copy); null before that or when it cannot be allocated.
  char* GetBlock() noexcept;
  /// Holds the length bytes that the block was filled with from file position start.
  void Hold(LONG start, UINT length) noexcept;
  void Clear() noexcept { Length = Used = 0; }
  /// Forgets the small reads seen, as for a file opened anew.
  void Reset() noexcept {
    Clear();
    SmallReads = 0;
  }

private:
  char* Block = nullptr;
  LONG Start = 0;
  UINT Length = 0;
  UINT Used = 0;
  int SmallReads = 0;
};

#endif
