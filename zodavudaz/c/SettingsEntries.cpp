// Window placements, back-up information, install folders and the display area through the C
// interface.
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/c/ProfileStatus.h>
#include <zodavudaz/c/RecordLayouts.h>
#include <zodavudaz/settings/BackupInformation.h>
#include <zodavudaz/settings/DisplayProperty.h>
#include <zodavudaz/settings/InstallDirectory.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

namespace {
/// *placement = what read(&record) reads; the record is left alone when it reads none.
template <typename ReadT>
int32_t ReadPlacement(zdz_window_placement* placement, ReadT read) noexcept {
  if (placement == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    WINDOWPLACEMENT record = ToLibrary(*placement);
    if (!read(&record))
      return FailedProfileStatus();
    *placement = ToC<zdz_window_placement>(record);
    return ZDZ_OK;
  });
}

/// The same for a placement of a filed station.
template <typename ReadT>
int32_t ReadStationPlacement(zdz_window_placement* placement, WORD station, ReadT read) noexcept {
  if (placement == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) { return ReadPlacement(placement, read); });
}

/// The text read(text) reads for a filed module.
template <typename ReadT>
int32_t ReadModuleText(WORD station, WORD module, char* out, uint32_t capacity, uint32_t* size, ReadT read) noexcept {
  if (IsBadBuffer(out, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnModule(station, module, [&](CModule&) { return PutProfileText(out, capacity, size, read); });
}
} // namespace

int32_t zdz_read_window_placement(zdz_window_placement* placement) {
  return ReadPlacement(placement, [](WINDOWPLACEMENT* record) { return ReadWindowPlacement(record) != 0; });
}

int32_t zdz_read_window_placement_file(zdz_window_placement* placement, const char* file) {
  if (file == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ReadPlacement(placement, [&](WINDOWPLACEMENT* record) { return ReadWindowPlacementFile(record, file) != 0; });
}

int32_t zdz_write_window_placement(const zdz_window_placement* placement, const char* file) {
  if (placement == nullptr || file == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    const WINDOWPLACEMENT record = ToLibrary(*placement);
    WriteWindowPlacement(&record, file);
    return LastProfileStatus();
  });
}

int32_t zdz_read_window_placement_ex(zdz_window_placement* placement, uint16_t station, int32_t slot) {
  return ReadStationPlacement(
      placement, station, [&](WINDOWPLACEMENT* record) { return ReadWindowPlacementEx(record, station, slot) != 0; });
}

int32_t zdz_read_window_placement_ex_file(zdz_window_placement* placement, uint16_t station, int32_t slot,
                                          const char* file) {
  if (file == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ReadStationPlacement(placement, station, [&](WINDOWPLACEMENT* record) {
    return ReadWindowPlacementExFile(record, station, slot, file) != 0;
  });
}

int32_t zdz_write_window_placement_ex(const zdz_window_placement* placement, uint16_t station, int32_t slot,
                                      const char* file) {
  if (placement == nullptr || file == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) {
    const WINDOWPLACEMENT record = ToLibrary(*placement);
    WriteWindowPlacementEx(&record, station, slot, file);
    return LastProfileStatus();
  });
}

int32_t zdz_get_module_backup_inf(uint16_t station, uint16_t module, char* info, uint32_t capacity, uint32_t* size) {
  return ReadModuleText(station, module, info, capacity, size,
                        [&](CString& text) { return GetModuleBackupInf(station, module, text) != 0; });
}

int32_t zdz_get_module_backup_inf_file(uint16_t station, uint16_t module, const char* file, char* info,
                                       uint32_t capacity, uint32_t* size) {
  if (file == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ReadModuleText(station, module, info, capacity, size,
                        [&](CString& text) { return GetModuleBackupInfFile(station, module, text, file) != 0; });
}

int32_t zdz_get_station_backup_inf(uint16_t station, const char* file, char* info, uint32_t capacity, uint32_t* size) {
  if (file == nullptr || IsBadBuffer(info, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) {
    return PutProfileText(info, capacity, size, [&](CString& text) {
      GetStationBackupInf(station, text, file);
      // A station without the entry has empty text; only a file that could not be read fails.
      const ProfileCause cause = GetLastProfileCause();
      return cause == ProfileCause::None || cause == ProfileCause::MissingFile ||
             cause == ProfileCause::MissingSection || cause == ProfileCause::MissingKey;
    });
  });
}

int32_t zdz_get_install_directory(const char* application, char* directory, uint32_t capacity, uint32_t* size) {
  if (application == nullptr || IsBadBuffer(directory, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CString folder;
    if (!GetInstallDirectory(application, folder))
      return ZDZ_E_NOT_FOUND;
    return PutText(folder, directory, capacity, size);
  });
}

int32_t zdz_get_display_property(int32_t* width, int32_t* height, int32_t* position, zdz_rect* work_area) {
  if (width == nullptr || height == nullptr || position == nullptr || work_area == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    int screenWidth = 0;
    int screenHeight = 0;
    int edge = 0;
    RECT area{};
    GetDisplayProperty(screenWidth, screenHeight, edge, area);
    *width = screenWidth;
    *height = screenHeight;
    *position = edge;
    *work_area = ToC<zdz_rect>(area);
    return ZDZ_OK;
  });
}
