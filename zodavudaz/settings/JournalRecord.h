// The bytes of a rollback journal: the file it belongs to, the bytes an in-place write of it
// overwrites, and the bytes the write puts there.
#ifndef ZODAVUDAZ_SETTINGS_JOURNALRECORD_H
#define ZODAVUDAZ_SETTINGS_JOURNALRECORD_H

#include <zodavudaz/platform/CString.h>

#include <cstdint>

/// The extended attribute that marks a file while an in-place write changes it: its value is the
/// absolute path the writer wrote through, a zero byte and the tag of the journal's name (empty
/// for the fixed name; JournalNameFor). It belongs to the file itself, so every name of the file
/// finds it.
constexpr char JournalMarkName[] = "user.zodavudaz.journal";

/// Which file, and which of its bytes: the old bytes from From up to OldSize follow the header.
/// The write makes the file NewSize bytes long; its bytes from From on are the literal ones that
/// follow the old bytes, then the old bytes from CopyFrom up to OldSize (a section rewritten
/// moves the rest of the file).
struct JournalHeader {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::uint64_t OldSize = 0;
  std::uint64_t From = 0;
  std::uint64_t NewSize = 0;
  std::uint64_t CopyFrom = 0;
};

/// How the first HeaderLength bytes of a journal read.
enum class JournalFormat {
  /// This format, with sizes that fit each other and a settings file.
  Current,
  /// The format before this one, which keeps no new bytes, so what a user changed since the write
  /// cannot be told from what the write left: never applied.
  Earlier,
  /// No journal of the library's.
  None,
};

/// A journal is "ZDZJRNL2", the header's six numbers as 8-byte little-endian words, the old bytes,
/// the literal new bytes, and the FNV-1a hash of all that as one more word: the same bytes in both
/// builds.
namespace JournalRecord {
constexpr int HeaderLength = 56;
constexpr int ChecksumLength = 8;

/// The journal's first HeaderLength bytes.
CString EncodeHeader(const JournalHeader& header) noexcept;
/// The journal's last ChecksumLength bytes, for a hash of everything before them.
CString EncodeChecksum(std::uint64_t hash) noexcept;
/// Reads the first HeaderLength bytes of a journal (length of them at bytes, fewer: None).
JournalFormat DecodeHeader(const char* bytes, int length, JournalHeader& header) noexcept;
/// The whole length of a journal with header, which DecodeHeader read as Current.
std::uint64_t LengthOf(const JournalHeader& header) noexcept;
/// Reads the whole bytes of a journal; false where they are no journal of the current format, the
/// length is not the one the header gives, or the checksum does not fit the bytes. The old bytes
/// then lie at bytes + HeaderLength, the literal new ones after them.
bool Decode(const CString& bytes, JournalHeader& header) noexcept;
/// Whether every byte of the file from From to its end (size bytes, fileBytes holding those from
/// From on) still holds the old byte of journal (decoded into header) or the new byte the write
/// meant to put there, so that the file holds nothing the write did not leave.
bool StillAsLeft(const CString& journal, const JournalHeader& header, const char* fileBytes,
                 std::uint64_t size) noexcept;
} // namespace JournalRecord

#endif
