// A station's stored GUI state loaded or reset through the C interface.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ProfileCause.h>

namespace {
/// Notes why a load took the defaults where the file was there but could not be read.
void NoteDefaultsTaken(const char* file) noexcept {
  const ProfileCause cause = GetLastProfileCause();
  if (cause == ProfileCause::Busy)
    NoteLastError("%s stayed locked by other callers past the 5 s bound: the station took its defaults", file);
  else if (cause == ProfileCause::FileSystemFailure)
    NoteLastError("%s cannot be read (a folder, a device, no permission): the station took its defaults", file);
}
} // namespace

int32_t zdz_update_data_base_ex(const char* file, uint16_t station, char* backup, uint32_t capacity, uint32_t* size) {
  if (file == nullptr || IsBadBuffer(backup, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) {
    CString text;
    GetDataBase()->UpdateDataBaseEx(file, station, text);
    const int32_t status = PutText(text, backup, capacity, size);
    NoteDefaultsTaken(file);
    return status;
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
