#include <zodavudaz/sim/zodavudaz_sim_c.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimLive.h>
#include <zodavudaz/sim/VirtualStationFile.h>
#include <zodavudaz/zodavudaz_c.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {
/// A station that a load filed: it may be freed once it is no longer filed under its id.
struct LoadedStation {
  WORD Id;
  CStation* Record;
};

std::vector<LoadedStation>& LoadedStations() {
  static std::vector<LoadedStation> loaded;
  return loaded;
}

std::vector<LoadedStation> FiledStations(const CGUIDatabase& database) {
  std::vector<LoadedStation> filed;
  for (POSITION position = database.StationMap.GetStartPosition(); position != nullptr;) {
    LoadedStation station{};
    database.StationMap.GetNextAssoc(position, station.Id, station.Record);
    filed.push_back(station);
  }
  return filed;
}

bool IsFiled(const CGUIDatabase& database, const LoadedStation& station) noexcept {
  CStation* filed = nullptr;
  return database.StationMap.Lookup(station.Id, filed) && filed == station.Record;
}

struct LoadRequest {
  const char* File;
  char* Message;
  uint32_t Capacity;
  uint32_t* Size;
};

/// The loader's message for the caller, cut and terminated as the interface's texts are.
void PutMessage(const CString& message, const LoadRequest& request) noexcept {
  if (request.Size == nullptr)
    return;
  const uint32_t length = static_cast<uint32_t>(message.GetLength());
  *request.Size = length + 1;
  if (request.Message == nullptr || request.Capacity == 0)
    return;
  const uint32_t kept = std::min(length, request.Capacity - 1);
  std::memcpy(request.Message, static_cast<LPCTSTR>(message), kept);
  request.Message[kept] = '\0';
}

int32_t Load(void* context) {
  const LoadRequest& request = *static_cast<const LoadRequest*>(context);
  CGUIDatabase& database = *GetDataBase();
  try {
    const std::vector<LoadedStation> before = FiledStations(database);
    CString message;
    if (!LoadVirtualStations(request.File, database, message)) {
      PutMessage(message, request);
      return ZDZ_E_ARGUMENT;
    }
    for (const LoadedStation& station : FiledStations(database))
      if (std::none_of(before.begin(), before.end(),
                       [&](const LoadedStation& old) { return old.Record == station.Record; }))
        LoadedStations().push_back(station);
    return ZDZ_OK;
  } catch (const std::bad_alloc&) {
    return ZDZ_E_NO_MEMORY;
  }
}

int32_t Release(void* /*context*/) {
  CGUIDatabase& database = *GetDataBase();
  // A station still filed still holds modules that only Exit destroys.
  for (const LoadedStation& station : LoadedStations())
    if (IsFiled(database, station))
      return ZDZ_E_ORDER;
  SimLiveEnd();
  ReleaseVirtualStations(database);
  LoadedStations().clear();
  return ZDZ_OK;
}
} // namespace

int32_t zdz_sim_load_virtual_stations(const char* file, char* message, uint32_t capacity, uint32_t* size) {
  if (message == nullptr && capacity != 0)
    return ZDZ_E_ARGUMENT;
  LoadRequest request{file, message, capacity, size};
  return zdz_call_locked(Load, &request);
}

// From inside a receiver the release would wait for the thread that is calling it.
int32_t zdz_sim_release_virtual_stations(void) {
  return SimInsideReceiver() ? ZDZ_E_ORDER : zdz_call_locked(Release, nullptr);
}
