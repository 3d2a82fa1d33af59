// Feeds arbitrary rollback journals to the decoder, their checksums made to fit so that every
// header is examined: a journal that decodes holds exactly the old bytes its header claims.
#include <zodavudaz/settings/ByteHash.h>
#include <zodavudaz/settings/JournalRecord.h>

#include <cstdint>
#include <cstdlib>

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
  if (JournalRecord::Decode(bytes, header) &&
      (header.From > header.OldSize ||
       header.OldSize - header.From !=
           static_cast<std::uint64_t>(bytes.GetLength() - JournalRecord::HeaderLength - JournalRecord::ChecksumLength)))
    std::abort();
  return 0;
}
