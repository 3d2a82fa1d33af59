// The bytes of a rollback journal: the file it belongs to, and the bytes an in-place write of it
// overwrites.
#ifndef ZODAVUDAZ_SETTINGS_JOURNALRECORD_H
#define ZODAVUDAZ_SETTINGS_JOURNALRECORD_H

#include <zodavudaz/platform/CString.h>

#include <cstdint>

/// The extended attribute that marks a file while an in-place write changes it: its value is
/// the absolute path of the journal. It belongs to the file itself, so every name of the file
/// finds it.
constexpr char JournalMarkName[] = "user.zodavudaz.journal";

/// Which file, and which of its bytes: the old bytes from From up to OldSize follow the header.
/// The write makes the file NewSize bytes long.
struct JournalHeader {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::uint64_t OldSize = 0;
  std::uint64_t From = 0;
  std::uint64_t NewSize = 0;
};

/// A journal is "ZDZJRNL1", the header's five numbers as 8-byte little-endian words, the old
/// bytes, and the FNV-1a hash of all that as one more word: the same bytes in both builds.
namespace JournalRecord {
constexpr int HeaderLength = 48;
constexpr int ChecksumLength = 8;

/// The journal's first HeaderLength bytes.
CString EncodeHeader(const JournalHeader& header) noexcept;
/// The journal's last ChecksumLength bytes, for a hash of everything before them.
CString EncodeChecksum(std::uint64_t hash) noexcept;
/// Reads the whole bytes of a journal; false where they are none: another mark, sizes past what a
/// settings file can be, a length that does not fit the header, or a checksum that does not fit
/// the bytes. The old bytes then lie
/// at bytes + HeaderLength.
bool Decode(const CString& bytes, JournalHeader& header) noexcept;
} // namespace JournalRecord

#endif
