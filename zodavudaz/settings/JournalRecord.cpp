#include <zodavudaz/settings/JournalRecord.h>

#include <zodavudaz/settings/ByteHash.h>

#include <cstring>
#include <initializer_list>

namespace {
constexpr char Mark[] = "ZDZJRNL2";
constexpr char EarlierMark[] = "ZDZJRNL1";
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

std::uint64_t LiteralLength(const JournalHeader& header) noexcept {
  return header.NewSize - header.From - (header.OldSize - header.CopyFrom);
}

/// Whether the sizes fit each other and a settings file; none of the differences below wraps.
bool SizesFit(const JournalHeader& header) noexcept {
  return header.OldSize <= LongestFile && header.NewSize <= LongestFile && header.From <= header.OldSize &&
         header.From <= header.NewSize && header.CopyFrom >= header.From && header.CopyFrom <= header.OldSize &&
         header.NewSize - header.From >= header.OldSize - header.CopyFrom;
}
} // namespace

CString JournalRecord::EncodeHeader(const JournalHeader& header) noexcept {
  CString bytes(Mark, MarkLength);
  for (std::uint64_t word : {header.Device, header.Inode, header.OldSize, header.From, header.NewSize, header.CopyFrom})
    AppendWord(bytes, word);
  return bytes;
}

CString JournalRecord::EncodeChecksum(std::uint64_t hash) noexcept {
  CString bytes;
  AppendWord(bytes, hash);
  return bytes;
}

JournalFormat JournalRecord::DecodeHeader(const char* bytes, int length, JournalHeader& header) noexcept {
  if (length >= MarkLength && std::memcmp(bytes, EarlierMark, MarkLength) == 0)
    return JournalFormat::Earlier;
  if (length < HeaderLength || std::memcmp(bytes, Mark, MarkLength) != 0)
    return JournalFormat::None;
  const char* words = bytes + MarkLength;
  header = JournalHeader{WordAt(words),      WordAt(words + 8),  WordAt(words + 16),
                         WordAt(words + 24), WordAt(words + 32), WordAt(words + 40)};
  return SizesFit(header) ? JournalFormat::Current : JournalFormat::None;
}

std::uint64_t JournalRecord::LengthOf(const JournalHeader& header) noexcept {
  return HeaderLength + (header.OldSize - header.From) + LiteralLength(header) + ChecksumLength;
}

bool JournalRecord::Decode(const CString& bytes, JournalHeader& header) noexcept {
  const int length = bytes.GetLength();
  if (DecodeHeader(bytes, length, header) != JournalFormat::Current ||
      LengthOf(header) != static_cast<std::uint64_t>(length))
    return false;
  ByteHash hash;
  hash.Add(bytes, length - ChecksumLength);
  return hash.GetValue() == WordAt(static_cast<LPCTSTR>(bytes) + length - ChecksumLength);
}

bool JournalRecord::StillAsLeft(const CString& journal, const JournalHeader& header, const char* fileBytes,
                                std::uint64_t size) noexcept {
  const char* old = static_cast<LPCTSTR>(journal) + HeaderLength;
  const char* literal = old + (header.OldSize - header.From);
  const std::uint64_t literalEnd = header.From + LiteralLength(header);
  for (std::uint64_t position = header.From; position < size; ++position) {
    const char held = fileBytes[position - header.From];
    const bool isOld = position < header.OldSize && held == old[position - header.From];
    const bool isNew = position < header.NewSize &&
                       held == (position < literalEnd ? literal[position - header.From]
                                                      : old[header.CopyFrom - header.From + position - literalEnd]);
    if (!isOld && !isNew)
      return false;
  }
  return true;
}
