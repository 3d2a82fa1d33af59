// Feeds arbitrary rollback journals to the decoder, their checksums made to fit so that every
// header is examined: a journal that decodes has exactly the length its header gives, and both
// the old version and the new one of the bytes it covers read as left by its write.
#include "fuzz/FuzzCheck.h"
#include <zodavudaz/settings/ByteHash.h>
#include <zodavudaz/settings/JournalRecord.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20))
    return 0;
  CString bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
  if (size >= JournalRecord::ChecksumLength) {
    ByteHash hash;
    hash.Add(bytes, bytes.GetLength() - JournalRecord::ChecksumLength);
    bytes =
        bytes.Left(bytes.GetLength() - JournalRecord::ChecksumLength) + JournalRecord::EncodeChecksum(hash.GetValue());
  }
  JournalHeader header;
  if (!JournalRecord::Decode(bytes, header))
    return 0;
  Check(JournalRecord::LengthOf(header) == static_cast<std::uint64_t>(bytes.GetLength()));
  const std::string old(static_cast<LPCTSTR>(bytes) + JournalRecord::HeaderLength, header.OldSize - header.From);
  const std::size_t literalLength = header.NewSize - header.From - (header.OldSize - header.CopyFrom);
  const std::string written =
      std::string(static_cast<LPCTSTR>(bytes) + JournalRecord::HeaderLength + old.size(), literalLength) +
      old.substr(header.CopyFrom - header.From);
  Check(JournalRecord::StillAsLeft(bytes, header, old.data(), header.OldSize) &&
        JournalRecord::StillAsLeft(bytes, header, written.data(), header.NewSize));
  return 0;
}
