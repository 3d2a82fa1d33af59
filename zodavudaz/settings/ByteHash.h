// A 64-bit hash of bytes (FNV-1a), fed in pieces: the same value in both builds.
#ifndef ZODAVUDAZ_SETTINGS_BYTEHASH_H
#define ZODAVUDAZ_SETTINGS_BYTEHASH_H

#include <cstdint>

/// Hashes bytes added in any number of pieces; the pieces' borders do not change the value.
class ByteHash {
public:
  void Add(const char* bytes, long long length) noexcept {
    for (long long index = 0; index < length; ++index)
      Value = (Value ^ static_cast<unsigned char>(bytes[index])) * Prime;
  }
  std::uint64_t GetValue() const noexcept { return Value; }

private:
  static constexpr std::uint64_t Prime = 0x100000001B3ull;
  std::uint64_t Value = 0xCBF29CE484222325ull;
};

#endif
