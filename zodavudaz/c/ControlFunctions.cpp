// The Zoc control functions through the C interface.
#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/RecordLayouts.h>
#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/control/ControlRequests.h>
#include <zodavudaz/control/LineEndConversion.h>
#include <zodavudaz/control/ModuleTest.h>
#include <zodavudaz/control/StartControls.h>
#include <zodavudaz/control/UnitText.h>
#include <zodavudaz/entry/LibraryEntry.h>

#include <algorithm>
#include <cstring>

namespace {
/// Runs a control function that answers a code.
template <typename CallT>
int32_t ControlCode(CallT call) noexcept {
  return GuardedCall([&]() -> int32_t { return call(); });
}

/// *value = the value get stores, whatever it answers; its code.
template <typename GetT>
int32_t StoredValue(uint32_t* value, GetT get) noexcept {
  if (value == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ControlCode([&] {
    DWORD stored = 0;
    const WORD result = get(&stored);
    *value = stored;
    return result;
  });
}

/// *frontend = find(), ZDZ_E_UNKNOWN when it is null.
template <typename FindT>
int32_t PutFrontend(void** frontend, FindT find) noexcept {
  if (frontend == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    *frontend = find();
    return *frontend == nullptr ? ZDZ_E_UNKNOWN : ZDZ_OK;
  });
}

/// Copies text into a fixed field, zero-terminated and cut to the field.
template <std::size_t Width>
void CopyField(char (&field)[Width], const CString& text) noexcept {
  const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), Width - 1);
  std::memcpy(field, static_cast<LPCTSTR>(text), length);
  std::memset(field + length, 0, Width - length);
}

zdz_ch_wave_info ChannelWaveInfoOf(const ChWaveInfo& info) noexcept {
  zdz_ch_wave_info copy{};
  copy.channel = info.Channel;
  copy.data_type = info.DataType;
  copy.point_num = info.PointNum;
  copy.byte_c = info.ByteC;
  copy.byte_d = info.ByteD;
  copy.reserved12 = info.Reserved8;
  copy.interval = info.Interval;
  copy.span = info.Span;
  std::copy(std::begin(info.Block), std::end(info.Block), copy.block);
  std::copy(std::begin(info.Values), std::end(info.Values), copy.values);
  CopyField(copy.name, info.Name);
  CopyField(copy.unit, info.Unit);
  CopyField(copy.second_unit, info.SecondUnit);
  CopyField(copy.date, info.Date);
  CopyField(copy.time, info.Time);
  return copy;
}

/// The text convert(source, target) appends to an empty target, into text.
template <typename ConvertT>
int32_t PutConverted(const char* source, char* text, uint32_t capacity, uint32_t* size, ConvertT convert) noexcept {
  if (source == nullptr || IsBadBuffer(text, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CString converted;
    convert(CString(source), converted);
    return PutText(converted, text, capacity, size);
  });
}
} // namespace

int32_t zdz_zoc_init(void) {
  return ControlCode([] {
    ZocInit();
    return ZDZ_OK;
  });
}

int32_t zdz_zoc_get_product_id(uint16_t station, uint16_t module, uint32_t* product_id) {
  return StoredValue(product_id, [&](DWORD* stored) { return ZocGetProductId(station, module, stored); });
}

int32_t zdz_zoc_get_unit_str(uint16_t code, char* text, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(text, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] { return PutText(ZocGetUnitStr(code), text, capacity, size); });
}

int32_t zdz_zoc_get_unit_str_ex(uint16_t code, const char* text1, const char* text2, char* text, uint32_t capacity,
                                uint32_t* size) {
  if (IsBadBuffer(text, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] { return PutText(ZocGetUnitStrEx(code, text1, text2), text, capacity, size); });
}

int32_t zdz_zoc_set_channel_wave_info(const zdz_waveinf* source, zdz_ch_wave_info* target) {
  if (source == nullptr || target == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    WAVEINF wave = ToLibrary(*source);
    ChWaveInfo info;
    ZocSetChannelWaveInfo(&wave, &info);
    *target = ChannelWaveInfoOf(info);
    return ZDZ_OK;
  });
}

int32_t zdz_zoc_exec_module_test(uint16_t station, uint16_t module, uint16_t item, uint16_t* results) {
  if (results == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ControlCode([&] {
    WORD words[ModuleTestResultWords] = {};
    const WORD result = ZocExecModuleTest(station, module, item, words);
    std::copy(std::begin(words), std::end(words), results);
    return result;
  });
}

int32_t zdz_zoc_get_front_end1(uint16_t station, uint16_t module, void** frontend) {
  return PutFrontend(frontend, [&] { return ZocGetFrontEnd1(station, module); });
}

int32_t zdz_zoc_get_front_end2(int32_t address, uint16_t module, void** frontend) {
  return PutFrontend(frontend, [&] { return ZocGetFrontEnd2(address, module); });
}

int32_t zdz_zoc_mote_sync_exec(uint16_t station, uint16_t module, uint16_t cntl) {
  return ControlCode([&] { return ZocMoteSyncExec(station, module, cntl); });
}

int32_t zdz_zoc_mote_sync_exec2(uint16_t station, uint16_t module, uint16_t cntl, const void* data, uint16_t type,
                                uint32_t count) {
  if (!IsGoodInput(data, count))
    return Refused(ZDZ_E_ARGUMENT);
  // The request only reads its input.
  return ControlCode([&] { return ZocMoteSyncExec2(station, module, cntl, const_cast<void*>(data), type, count); });
}

int32_t zdz_zoc_mote_setting_query(uint16_t station, uint16_t module, uint16_t cntl, void* out, uint32_t capacity,
                                   uint16_t* type, uint32_t* count) {
  if (out == nullptr && capacity != 0)
    return Refused(ZDZ_E_ARGUMENT);
  return ControlCode([&] {
    WORD replyType = 0;
    DWORD replyCount = 0;
    const WORD result = ZocMoteSettingQuery(station, module, cntl, out, &replyType, &replyCount, capacity);
    if (type != nullptr)
      *type = replyType;
    if (count != nullptr)
      *count = replyCount;
    return result;
  });
}

int32_t zdz_zoc_start_button(uint16_t station, uint16_t module) {
  return ControlCode([&] { return ZocStartButton(station, module); });
}

int32_t zdz_zoc_stop_button(uint16_t station, uint16_t module) {
  return ControlCode([&] { return ZocStopButton(station, module); });
}

int32_t zdz_zoc_update_start_led(uint16_t first, uint16_t second, uint16_t third) {
  return ControlCode([&] { return ZocUpdateStartLED(first, second, third); });
}

int32_t zdz_zoc_get_file_num_in_save_mode(uint16_t station, uint16_t module, uint32_t* value) {
  return StoredValue(value, [&](DWORD* stored) { return ZocGetFileNumInSaveMode(station, module, stored); });
}

int32_t zdz_zoc_get_file_start_no_in_save_mode(uint16_t station, uint16_t module, uint32_t* value) {
  return StoredValue(value, [&](DWORD* stored) { return ZocGetFileStartNoInSaveMode(station, module, stored); });
}

int32_t zdz_zo_set_cg_class(uint32_t value) {
  return ControlCode([&] {
    ZoSetCGClass(value);
    return ZDZ_OK;
  });
}

int32_t zdz_zo_get_cg_class(uint32_t* value) {
  if (value == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ControlCode([&] {
    *value = ZoGetCGClass();
    return ZDZ_OK;
  });
}

int32_t zdz_convert_term(const char* source, char* target, uint32_t capacity, uint32_t* size) {
  return PutConverted(source, target, capacity, size, ConvertTerm);
}

int32_t zdz_reverse_term(const char* source, char* target, uint32_t capacity, uint32_t* size) {
  return PutConverted(source, target, capacity, size, ReverseTerm);
}
