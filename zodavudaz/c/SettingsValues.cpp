// Settings values and whole settings files through the C interface.
#include <zodavudaz/c/ProfileStatus.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileFile.h>

int32_t zdz_get_profile_string(const char* file, const char* section, const char* key, char* value, uint32_t capacity,
                               uint32_t* size) {
  if (file == nullptr || section == nullptr || key == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return PutProfileText(value, capacity, size,
                        [&](CString& text) { return GetProfileStringEx(file, section, key, text) != 0; });
}

int32_t zdz_write_profile_string(const char* file, const char* section, const char* key, const char* value) {
  if (file == nullptr || section == nullptr || key == nullptr || value == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] { return WriteProfileStringEx(file, section, key, value) ? ZDZ_OK : FailedProfileStatus(); });
}

int32_t zdz_get_last_profile_cause(int32_t* cause) {
  if (cause == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  *cause = static_cast<int32_t>(GetLastProfileCause());
  return ZDZ_OK;
}

int32_t zdz_read_profile_file(const char* file, char* text, uint32_t capacity, uint32_t* size) {
  if (file == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return PutProfileText(text, capacity, size, [&](CString& read) { return ReadProfileFile(file, read) != 0; });
}
