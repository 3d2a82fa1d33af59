#include <zodavudaz/settings/ByteHash.h>
#include <zodavudaz/settings/JournalRecord.h>

#include <gtest/gtest.h>
#include <string>

namespace {
// Old bytes "456789" from 4 to 10; the write makes the file 12 bytes long from 4 on: "abcd", then
// the old bytes from 6 on.
const JournalHeader Header{0x0102030405060708ull, 77, 10, 4, 12, 6};
const std::string OldBytes = "456789";
const std::string Literal = "abcd";

/// A journal of header, old bytes and literal new bytes, with the checksum that fits them.
std::string JournalOf(const JournalHeader& header, const std::string& old, const std::string& literal = "") {
  const CString encoded = JournalRecord::EncodeHeader(header);
  std::string bytes(encoded, static_cast<size_t>(encoded.GetLength()));
  bytes += old + literal;
  ByteHash hash;
  hash.Add(bytes.data(), static_cast<long long>(bytes.size()));
  const CString checksum = JournalRecord::EncodeChecksum(hash.GetValue());
  return bytes + std::string(checksum, static_cast<size_t>(checksum.GetLength()));
}

CString ToCString(const std::string& bytes) { return CString(bytes.data(), static_cast<int>(bytes.size())); }

/// bytes with its first byte replaced by first (not "X" + ...: GCC 12 takes that for an overlapping
/// copy in Release).
std::string WithFirstByte(std::string bytes, char first) {
  bytes.at(0) = first;
  return bytes;
}

// Journals are read by the other build too: the words are little-endian, whatever the host.
TEST(JournalRecordTest, HeaderLayoutIsFixed) {
  const CString encoded = JournalRecord::EncodeHeader(Header);
  const std::string expected = std::string("ZDZJRNL2") + std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8) +
                               std::string("\x4D\0\0\0\0\0\0\0", 8) + std::string("\x0A\0\0\0\0\0\0\0", 8) +
                               std::string("\x04\0\0\0\0\0\0\0", 8) + std::string("\x0C\0\0\0\0\0\0\0", 8) +
                               std::string("\x06\0\0\0\0\0\0\0", 8);
  EXPECT_EQ(std::string(encoded, static_cast<size_t>(encoded.GetLength())), expected);
}

TEST(JournalRecordTest, OnlyWholeJournalsDecode) {
  const struct {
    const char* Name;
    std::string Bytes;
    JournalFormat Format;
    bool Decodes;
  } rows[] = {
      {"NoOldBytes", JournalOf(JournalHeader{1, 2, 4, 4, 4, 4}, ""), JournalFormat::Current, true},
      {"Appended", JournalOf(JournalHeader{1, 2, 4, 4, 7, 4}, "", "new"), JournalFormat::Current, true},
      {"Truncated", JournalOf(JournalHeader{1, 2, 10, 4, 4, 10}, OldBytes), JournalFormat::Current, true},
      {"LiteralMissing", JournalOf(Header, OldBytes), JournalFormat::Current, false},
      {"ClaimsMoreOldBytes", JournalOf(JournalHeader{1, 2, 11, 4, 13, 6}, OldBytes, Literal), JournalFormat::Current,
       false},
      {"StartsPastItsEnd", JournalOf(JournalHeader{1, 2, 4, 10, 12, 10}, OldBytes), JournalFormat::None, false},
      // From past OldSize by as much as the old bytes' length below 2^64.
      {"StartsPastItsEndAroundTheWord", JournalOf(JournalHeader{1, 2, 0, ~0ull - 5, 12, 0}, OldBytes),
       JournalFormat::None, false},
      {"CopiesFromBeforeItsStart", JournalOf(JournalHeader{1, 2, 10, 4, 12, 3}, OldBytes), JournalFormat::None, false},
      {"CopiesPastTheOldEnd", JournalOf(JournalHeader{1, 2, 10, 4, 12, 11}, OldBytes), JournalFormat::None, false},
      {"CopiesMoreThanTheNewBytes", JournalOf(JournalHeader{1, 2, 10, 4, 8, 4}, OldBytes), JournalFormat::None, false},
      {"OldSizePastAnyFile",
       JournalOf(JournalHeader{1, 2, (1ull << 32) + 6, 1ull << 32, 1ull << 32, 1ull << 32}, OldBytes),
       JournalFormat::None, false},
      {"NewSizePastAnyFile", JournalOf(JournalHeader{1, 2, 10, 4, 1ull << 31, 6}, OldBytes), JournalFormat::None,
       false},
      {"EarlierFormat", std::string("ZDZJRNL1") + JournalOf(Header, OldBytes, Literal).substr(8),
       JournalFormat::Earlier, false},
      {"OtherMark", WithFirstByte(JournalOf(Header, OldBytes, Literal), 'X'), JournalFormat::None, false},
      {"ShorterThanHeader", JournalOf(Header, OldBytes, Literal).substr(0, 55), JournalFormat::None, false},
      {"Empty", "", JournalFormat::None, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    JournalHeader decoded;
    EXPECT_EQ(JournalRecord::DecodeHeader(row.Bytes.data(), static_cast<int>(row.Bytes.size()), decoded), row.Format);
    EXPECT_EQ(JournalRecord::Decode(ToCString(row.Bytes), decoded), row.Decodes);
    if (row.Decodes) {
      EXPECT_EQ(JournalRecord::LengthOf(decoded), row.Bytes.size());
    }
  }
}

// A file whose bytes from 4 on were "456789" and are meant to become "abcd6789": each byte the
// journal covers may hold its old or its new value, in any mix a write and a rollback cut short
// leave; any other byte is a change made since, and the journal must not undo it.
TEST(JournalRecordTest, StillAsLeftOnlyWhereEachByteIsOldOrNew) {
  const struct {
    const char* Name;
    std::string Held;
    bool AsLeft;
  } rows[] = {
      {"Old", "456789", true},
      {"New", "abcd6789", true},
      {"WriteCutShort", "abc789", true},
      {"WriteCutWithinTheMovedBytes", "abcd678", true},
      {"RollbackCutShort", "45cd6789", true},
      {"EditedInTheLiteral", "xbcd6789", false},
      {"EditedInTheOldBytes", "45678x", false},
      {"EditedInTheGrowth", "abcd678x", false},
      {"NewByteBeforeItsPlace", "4a6789", false},
  };
  const std::string journal = JournalOf(Header, OldBytes, Literal);
  JournalHeader header;
  ASSERT_TRUE(JournalRecord::Decode(ToCString(journal), header));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(JournalRecord::StillAsLeft(ToCString(journal), header, row.Held.data(), 4 + row.Held.size()), row.AsLeft);
  }
}
} // namespace
