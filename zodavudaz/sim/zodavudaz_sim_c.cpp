#include <zodavudaz/sim/zodavudaz_sim_c.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimLive.h>
#include <zodavudaz/sim/VirtualStationFile.h>
#include <zodavudaz/zodavudaz_c.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
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
  ReleaseVirtualStations(database);
  LoadedStations().clear();
  return ZDZ_OK;
}
} // namespace

namespace {
int32_t StatusOf(WORD result) noexcept {
  switch (result) {
  case 0: return ZDZ_OK;
  case SimTimedOut: return ZDZ_E_TIMEOUT;
  case SimNoModule: return ZDZ_E_UNKNOWN;
  case SimOrderError: return ZDZ_E_ORDER;
  default: return result;
  }
}

/// A C receiver with its user pointer, kept while it is registered.
struct CReceiver {
  zdz_sim_receiver Receiver;
  void* User;

  static void Receive(const _ModulePacket* packet, void* context) {
    const CReceiver& self = *static_cast<const CReceiver*>(context);
    self.Receiver(self.User, reinterpret_cast<const uint8_t*>(packet), SimAcqCompleteBytes);
  }
};

std::mutex CReceiversMutex;
std::map<DWORD, std::unique_ptr<CReceiver>> CReceivers;
} // namespace

int32_t zdz_sim_add_receiver(zdz_sim_receiver receiver, void* user, uint32_t* id) {
  if (receiver == nullptr || id == nullptr)
    return ZDZ_E_ARGUMENT;
  const std::lock_guard<std::mutex> lock(CReceiversMutex);
  try {
    auto kept = std::make_unique<CReceiver>(CReceiver{receiver, user});
    const DWORD added = SimAddReceiver(CReceiver::Receive, kept.get());
    if (added == 0)
      return ZDZ_E_NO_MEMORY;
    CReceivers[added] = std::move(kept);
    *id = added;
    return ZDZ_OK;
  } catch (const std::bad_alloc&) {
    return ZDZ_E_NO_MEMORY;
  }
}

// The record is freed only once the receiver no longer runs; the map's lock is not held meanwhile,
// so that a receiver may register or remove others.
int32_t zdz_sim_remove_receiver(uint32_t id) {
  if (!SimRemoveReceiver(id))
    return ZDZ_E_NOT_FOUND;
  const std::lock_guard<std::mutex> lock(CReceiversMutex);
  CReceivers.erase(id);
  return ZDZ_OK;
}

int32_t zdz_sim_read_announcement(const uint8_t* packet, uint32_t length, uint16_t* station, uint16_t* module,
                                  uint32_t* number, uint32_t* time_stamp) {
  SimAcquisition read;
  if (packet == nullptr || length < SimAcqCompleteBytes || station == nullptr || module == nullptr ||
      number == nullptr || time_stamp == nullptr ||
      !SimReadAcqComplete(reinterpret_cast<const _ModulePacket*>(packet), read))
    return ZDZ_E_ARGUMENT;
  *station = read.Station;
  *module = read.Module;
  *number = read.Number;
  *time_stamp = read.TimeStamp;
  return ZDZ_OK;
}

int32_t zdz_sim_wait_for_acquisition(uint16_t station, uint16_t module, uint32_t seen, uint32_t timeout_ms,
                                     uint32_t* announced, uint32_t* number) {
  if (announced == nullptr || number == nullptr)
    return ZDZ_E_ARGUMENT;
  SimAcquisition latest;
  const int32_t status = StatusOf(SimWaitForAcquisition(station, module, seen, timeout_ms, latest));
  if (status == ZDZ_OK) {
    *announced = static_cast<uint32_t>(latest.Announced);
    *number = latest.Number;
  }
  return status;
}

int32_t zdz_sim_set_stepped_clock(int32_t stepped) {
  SimSetSteppedClock(stepped != 0);
  return ZDZ_OK;
}

int32_t zdz_sim_advance(double seconds) {
  if (!(seconds >= 0) || !std::isfinite(seconds))
    return ZDZ_E_ARGUMENT;
  SimAdvance(seconds);
  return ZDZ_OK;
}

int32_t zdz_sim_load_virtual_stations(const char* file, char* message, uint32_t capacity, uint32_t* size) {
  if (message == nullptr && capacity != 0)
    return ZDZ_E_ARGUMENT;
  LoadRequest request{file, message, capacity, size};
  return zdz_call_locked(Load, &request);
}

// From inside a receiver the release would wait for the thread that is calling it.
int32_t zdz_sim_release_virtual_stations(void) {
  if (SimInsideReceiver())
    return ZDZ_E_ORDER;
  const int32_t status = zdz_call_locked(Release, nullptr);
  // Outside the lock: the receiver being waited for may be waiting for it.
  if (status == ZDZ_OK)
    SimLiveEnd(true);
  return status;
}
