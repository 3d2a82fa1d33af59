// Acquired data through the C interface, each request with a reply record of the C layer's.
#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/RecordLayouts.h>
#include <zodavudaz/database/ReplyDelivery.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/packets/CRplySync.h>

#include <algorithm>
#include <vector>

namespace {
/// Records that GetWaveInfo needs room for.
constexpr uint32_t WaveInfoRecords = 100;

/// A synchronous reply record with a time-out of timeoutMs, or the default one for 0.
struct RequestSync : CRplySync {
  explicit RequestSync(uint32_t timeoutMs) noexcept {
    SetSyncMode();
    SetTimeOut(timeoutMs == 0 ? DefaultTimeOut : timeoutMs);
  }
};

/// Copies the records a request delivered into the caller's, at most capacity of them;
/// ZDZ_E_BUFFER_TOO_SMALL when they were more, else result.
template <typename CRecordT, typename LibraryT>
int32_t PutRecords(WORD result, const std::vector<LibraryT>& delivered, WORD count, CRecordT* out,
                   uint32_t capacity) noexcept {
  const uint32_t copied = std::min<uint32_t>(count, capacity);
  for (uint32_t index = 0; index < copied; ++index)
    out[index] = ToC<CRecordT>(delivered[index]);
  return result == 0 && count > capacity ? ZDZ_E_BUFFER_TOO_SMALL : int32_t{result};
}

bool IsBadRecords(const void* records, uint32_t capacity, const uint16_t* count) noexcept {
  return count == nullptr || (records == nullptr && capacity != 0);
}
} // namespace

int32_t zdz_get_wave_info(uint16_t station, uint16_t module, uint16_t offset, int32_t first, int32_t second,
                          zdz_waveinf* info, uint32_t capacity, uint16_t* count, uint32_t timeout_ms) {
  if (IsBadRecords(info, capacity, count))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    std::vector<WAVEINF> delivered(WaveInfoRecords);
    RequestSync sync(timeout_ms);
    WORD records = 0;
    const WORD result =
        GetDataBase()->GetWaveInfo(station, module, offset, first, second, delivered.data(), &records, &sync);
    *count = records;
    return PutRecords(result, delivered, records, info, capacity);
  });
}

int32_t zdz_get_acq_info(uint16_t station, uint16_t module, uint16_t offset, int32_t first, int32_t second,
                         zdz_acq_data_info* info, uint32_t capacity, uint16_t* count, uint32_t timeout_ms) {
  if (IsBadRecords(info, capacity, count))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CGUIDatabase& database = *GetDataBase();
    // The room GetAcqInfo needs: a record per channel of every member of the module's group.
    const std::size_t room = std::size_t{database.GetConnectNum(station, module)} *
                             std::max<WORD>(database.GetAcqChannel(station, module), 1);
    std::vector<_AcqDataInfo> delivered(room);
    RequestSync sync(timeout_ms);
    WORD records = 0;
    const WORD result = database.GetAcqInfo(station, module, offset, first, second, delivered.data(), &records, &sync);
    *count = records;
    return PutRecords(result, delivered, records, info, capacity);
  });
}

int32_t zdz_get_acq_data_ex(uint16_t station, uint16_t module, uint16_t offset, int32_t first, int32_t second,
                            int32_t third, int32_t fourth, uint32_t points, uint16_t direction, void* buffer,
                            uint32_t capacity, uint16_t* type, uint32_t* bytes, uint32_t* elements,
                            uint32_t timeout_ms) {
  if (type == nullptr || bytes == nullptr || elements == nullptr || (buffer == nullptr && capacity != 0))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    RequestSync sync(timeout_ms);
    WORD lastType = 0;
    DWORD size = 0;
    AcqDataDelivery delivery;
    const WORD result = GetAcqDataDelivered(*GetDataBase(), station, module, offset, first, second, third, fourth,
                                            points, direction, buffer, capacity, &lastType, &size, delivery, &sync);
    *type = delivery.Type;
    *bytes = delivery.Bytes;
    *elements = delivery.Elements;
    return int32_t{result};
  });
}

int32_t zdz_get_current_data(uint16_t station, uint16_t module, int16_t channel, void* buffer, uint32_t capacity,
                             uint32_t* size, uint16_t* type, uint32_t timeout_ms) {
  if (size == nullptr || type == nullptr || (buffer == nullptr && capacity != 0))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    RequestSync sync(timeout_ms);
    DWORD delivered = capacity;
    WORD replyType = 0;
    const WORD result = GetDataBase()->GetCurrentData(station, module, channel, &delivered, buffer, &replyType, &sync);
    *size = delivered;
    *type = replyType;
    return int32_t{result};
  });
}

int32_t zdz_set_scale_tbl(uint16_t station, uint16_t module, uint16_t offset, const zdz_chnlinf* table, uint16_t count,
                          uint8_t enable, uint32_t timeout_ms) {
  if (table == nullptr && count != 0)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&]() -> int32_t {
    std::vector<CHNLINF> records(count);
    for (uint16_t index = 0; index < count; ++index)
      records[index] = ToLibrary(table[index]);
    RequestSync sync(timeout_ms);
    return GetDataBase()->SetScaleTbl(station, module, offset, records.data(), count, enable, &sync);
  });
}
