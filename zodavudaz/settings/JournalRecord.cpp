#include <zodavudaz/settings/JournalRecord.h>

#include <zodavudaz/settings/ByteHash.h>

#include <cstring>
#include <initializer_list>

namespace {
constexpr char Mark[] = "ZDZJRNL1";
constexpr int MarkLength = 8;
constexpr int WordLength = 8;
// The longest file that the engine reads or writes.
constexpr std::uint64_t LongestFile = 0x7FFFFFF0;

void AppendWord(CString& bytes, std::uint64_t word) noexcept {
  char little[WordLength];
  for (int index = 0; index < WordLength; ++index)
    little[index] = static_cast<char>(word >> (8 * index));
  bytes.Append(little, WordLength);
}

std::uint64_t WordAt(const char* bytes) noexcept {
  std::uint64_t word = 0;
  for (int index = WordLength - 1; index >= 0; --index)
    word = word << 8 | static_cast<unsigned char>(bytes[index]);
  return word;
}
} // namespace

CString JournalRecord::EncodeHeader(const JournalHeader& header) noexcept {
  CString bytes(Mark, MarkLength);
  for (std::uint64_t word : {header.Device, header.Inode, header.OldSize, header.From, header.NewSize})
    AppendWord(bytes, word);
  return bytes;
}

CString JournalRecord::EncodeChecksum(std::uint64_t hash) noexcept {
  CString bytes;
  AppendWord(bytes, hash);
  return bytes;
}

bool JournalRecord::Decode(const CString& bytes, JournalHeader& header) noexcept {
  const int length = bytes.GetLength();
  if (length < HeaderLength + ChecksumLength || std::memcmp(bytes, Mark, MarkLength) != 0)
    return false;
  const char* words = static_cast<LPCTSTR>(bytes) + MarkLength;
  header = JournalHeader{WordAt(words), WordAt(words + 8), WordAt(words + 16), WordAt(words + 24), WordAt(words + 32)};
  const std::uint64_t oldLength = static_cast<std::uint64_t>(length - HeaderLength - ChecksumLength);
  if (header.OldSize > LongestFile || header.NewSize > LongestFile || header.From > header.OldSize ||
      header.OldSize - header.From != oldLength)
    return false;
  ByteHash hash;
  hash.Add(bytes, length - ChecksumLength);
  return hash.GetValue() == WordAt(static_cast<LPCTSTR>(bytes) + length - ChecksumLength);
}
