#include <zodavudaz/settings/ByteHash.h>
#include <zodavudaz/settings/JournalRecord.h>

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {
const JournalHeader Header{0x0102030405060708ull, 77, 10, 4, 12};
const std::string OldBytes = "456789";

/// A journal of header and old bytes, with the checksum that fits them.
std::string JournalOf(const JournalHeader& header, const std::string& old) {
  const CString encoded = JournalRecord::EncodeHeader(header);
  std::string bytes(encoded, static_cast<size_t>(encoded.GetLength()));
  bytes += old;
  ByteHash hash;
  hash.Add(bytes.data(), static_cast<long long>(bytes.size()));
  const CString checksum = JournalRecord::EncodeChecksum(hash.GetValue());
  return bytes + std::string(checksum, static_cast<size_t>(checksum.GetLength()));
}

/// bytes with its first byte replaced by first (not "X" + ...: GCC 12 takes that for an overlapping
/// copy in Release).
std::string WithFirstByte(std::string bytes, char first) {
  bytes.at(0) = first;
  return bytes;
}

// Journals are read by the other build too: the words are little-endian, whatever the host.
TEST(JournalRecordTest, HeaderLayoutIsFixed) {
  const CString encoded = JournalRecord::EncodeHeader(Header);
  const std::string expected = std::string("ZDZJRNL1") + std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8) +
                               std::string("\x4D\0\0\0\0\0\0\0", 8) + std::string("\x0A\0\0\0\0\0\0\0", 8) +
                               std::string("\x04\0\0\0\0\0\0\0", 8) + std::string("\x0C\0\0\0\0\0\0\0", 8);
  EXPECT_EQ(std::string(encoded, static_cast<size_t>(encoded.GetLength())), expected);
}

TEST(JournalRecordTest, OnlyWholeJournalsDecode) {
  const struct {
    const char* Name;
    std::string Bytes;
    bool Decodes;
  } rows[] = {
      {"Whole", JournalOf(Header, OldBytes), true},
      {"NoOldBytes", JournalOf(JournalHeader{1, 2, 4, 4, 0}, ""), true},
      {"ChecksumOff", JournalOf(Header, OldBytes).substr(0, 61) + "\x01\x02\x03", false},
      {"ClaimsMoreOldBytes", JournalOf(JournalHeader{1, 2, 11, 4, 12}, OldBytes), false},
      {"ClaimsFewerOldBytes", JournalOf(JournalHeader{1, 2, 9, 4, 12}, OldBytes), false},
      {"StartsPastItsEnd", JournalOf(JournalHeader{1, 2, 4, 10, 12}, OldBytes), false},
      // From past OldSize by as much as the old bytes' length below 2^64.
      {"StartsPastItsEndAroundTheWord", JournalOf(JournalHeader{1, 2, 0, ~0ull - 5, 12}, OldBytes), false},
      {"OldSizePastAnyFile", JournalOf(JournalHeader{1, 2, (1ull << 32) + 6, 1ull << 32, 12}, OldBytes), false},
      {"NewSizePastAnyFile", JournalOf(JournalHeader{1, 2, 10, 4, 1ull << 31}, OldBytes), false},
      {"OtherMark", WithFirstByte(JournalOf(Header, OldBytes), 'X'), false},
      {"ShorterThanHeaderAndChecksum", JournalOf(Header, OldBytes).substr(0, 55), false},
      {"Empty", "", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    JournalHeader decoded;
    EXPECT_EQ(JournalRecord::Decode(CString(row.Bytes.data(), static_cast<int>(row.Bytes.size())), decoded),
              row.Decodes);
    if (row.Decodes) {
      EXPECT_EQ(decoded.OldSize - decoded.From, row.Bytes.size() - 56);
    }
  }
  JournalHeader decoded;
  const std::string whole = JournalOf(Header, OldBytes);
  ASSERT_TRUE(JournalRecord::Decode(CString(whole.data(), static_cast<int>(whole.size())), decoded));
  EXPECT_EQ(decoded.Device, Header.Device);
  EXPECT_EQ(decoded.Inode, Header.Inode);
  EXPECT_EQ(decoded.NewSize, Header.NewSize);
}
} // namespace
