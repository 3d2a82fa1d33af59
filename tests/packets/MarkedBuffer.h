// A packet record at an odd address inside marker bytes, for the packet accessor tests: every
// access is unaligned, and a write outside its field shows as a changed marker.
#ifndef ZODAVUDAZ_TESTS_PACKETS_MARKEDBUFFER_H
#define ZODAVUDAZ_TESTS_PACKETS_MARKEDBUFFER_H

#include <zodavudaz/platform/BaseTypes.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

constexpr BYTE Marker = 0xCC;

template <typename RecordT>
struct MarkedBuffer {
  static constexpr std::size_t Misalign = 1;

  explicit MarkedBuffer(std::size_t bytes) : Bytes(Misalign + bytes, Marker) {}
  RecordT* Packet() { return reinterpret_cast<RecordT*>(Bytes.data() + Misalign); }
  /// The bytes at offset into the packet.
  std::string At(std::size_t offset, std::size_t length) const {
    return std::string(reinterpret_cast<const char*>(Bytes.data() + Misalign + offset), length);
  }
  /// The whole buffer as it must be after writing bytes at offset into the packet, and nothing else.
  std::vector<BYTE> Expected(std::size_t offset, const std::string& bytes) const {
    std::vector<BYTE> expected(Bytes.size(), Marker);
    std::copy(bytes.begin(), bytes.end(), expected.begin() + static_cast<std::ptrdiff_t>(Misalign + offset));
    return expected;
  }
  std::vector<BYTE> Bytes;
};

#endif
