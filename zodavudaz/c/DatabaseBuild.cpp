// A station's stored GUI state loaded or reset through the C interface.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/entry/LibraryEntry.h>

int32_t zdz_update_data_base_ex(const char* file, uint16_t station, char* backup, uint32_t capacity, uint32_t* size) {
  if (file == nullptr || IsBadBuffer(backup, capacity, size))
    return ZDZ_E_ARGUMENT;
  return OnStation(station, [&](CStation&) {
    CString text;
    GetDataBase()->UpdateDataBaseEx(file, station, text);
    return PutText(text, backup, capacity, size);
  });
}

int32_t zdz_update_data_base(uint16_t station) {
  return OnStation(station, [&](CStation&) {
    GetDataBase()->UpdateDataBase(station);
    return ZDZ_OK;
  });
}

int32_t zdz_reset_act_on_trig_database(uint16_t station) {
  return OnStation(station, [&](CStation&) {
    GetDataBase()->ResetActOnTrigDatabase(station);
    return ZDZ_OK;
  });
}
