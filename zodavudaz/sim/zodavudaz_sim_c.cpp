#include <zodavudaz/sim/zodavudaz_sim_c.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimLive.h>
#include <zodavudaz/sim/VirtualStationFile.h>
#include <zodavudaz/zodavudaz_c.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace {
/// status, with the calling thread's last-error text from a printf format.
__attribute__((format(printf, 2, 3))) int32_t Failed(int32_t status, const char* format, ...) noexcept {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return zdz_set_last_error(status, text);
}

/// status with the calling thread's last-error text emptied: the status says everything.
int32_t Plain(int32_t status) noexcept { return zdz_set_last_error(status, nullptr); }

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
      return Failed(ZDZ_E_ARGUMENT, "%s", static_cast<LPCTSTR>(message));
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
      return Failed(ZDZ_E_ORDER, "virtual station %u is still filed: zdz_exit ends its modules first",
                    unsigned{station.Id});
  ReleaseVirtualStations(database);
  LoadedStations().clear();
  return ZDZ_OK;
}
} // namespace

namespace {
constexpr const char* InsideReceiverText = "called from inside a receiver, it would wait for the thread that calls it";

/// A wait's status, and the last-error text that names what it waited for.
int32_t WaitStatusOf(WORD result, uint16_t station, uint16_t module, uint32_t seen, uint32_t timeoutMs) noexcept {
  switch (result) {
  case 0: return Plain(ZDZ_OK);
  case SimTimedOut:
    return Failed(ZDZ_E_TIMEOUT, "station %u module %u announced no acquisition after its %u within the %u ms time-out",
                  unsigned{station}, unsigned{module}, unsigned{seen}, unsigned{timeoutMs});
  case SimNoModule:
    return Failed(ZDZ_E_UNKNOWN, "station %u has no simulated module %u", unsigned{station}, unsigned{module});
  case SimOrderError: return Failed(ZDZ_E_ORDER, "%s", InsideReceiverText);
  default: return Plain(result);
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
    return Plain(ZDZ_E_ARGUMENT);
  const std::lock_guard<std::mutex> lock(CReceiversMutex);
  try {
    auto kept = std::make_unique<CReceiver>(CReceiver{receiver, user});
    const DWORD added = SimAddReceiver(CReceiver::Receive, kept.get());
    if (added == 0)
      return Plain(ZDZ_E_NO_MEMORY);
    CReceivers[added] = std::move(kept);
    *id = added;
    return Plain(ZDZ_OK);
  } catch (const std::bad_alloc&) {
    return Plain(ZDZ_E_NO_MEMORY);
  }
}

// The record is freed only once the receiver no longer runs; the map's lock is not held meanwhile,
// so that a receiver may register or remove others.
int32_t zdz_sim_remove_receiver(uint32_t id) {
  if (!SimRemoveReceiver(id))
    return Failed(ZDZ_E_NOT_FOUND, "no receiver %u is registered", unsigned{id});
  const std::lock_guard<std::mutex> lock(CReceiversMutex);
  CReceivers.erase(id);
  return Plain(ZDZ_OK);
}

int32_t zdz_sim_read_announcement(const uint8_t* packet, uint32_t length, uint16_t* station, uint16_t* module,
                                  uint32_t* number, uint32_t* time_stamp) {
  SimAcquisition read;
  if (packet == nullptr || station == nullptr || module == nullptr || number == nullptr || time_stamp == nullptr)
    return Plain(ZDZ_E_ARGUMENT);
  if (length < SimAcqCompleteBytes)
    return Failed(ZDZ_E_ARGUMENT, "the packet has %u bytes; an announcement has %u", unsigned{length},
                  unsigned{SimAcqCompleteBytes});
  if (!SimReadAcqComplete(reinterpret_cast<const _ModulePacket*>(packet), read))
    return Failed(ZDZ_E_ARGUMENT, "the packet is no announcement, which has command id 0x%X and control id 0x%X",
                  unsigned{SimAcqCompleteCmdId}, unsigned{SimAcqCompleteCntlId});
  *station = read.Station;
  *module = read.Module;
  *number = read.Number;
  *time_stamp = read.TimeStamp;
  return Plain(ZDZ_OK);
}

int32_t zdz_sim_wait_for_acquisition(uint16_t station, uint16_t module, uint32_t seen, uint32_t timeout_ms,
                                     uint32_t* announced, uint32_t* number) {
  if (announced == nullptr || number == nullptr)
    return Plain(ZDZ_E_ARGUMENT);
  SimAcquisition latest;
  const int32_t status =
      WaitStatusOf(SimWaitForAcquisition(station, module, seen, timeout_ms, latest), station, module, seen, timeout_ms);
  if (status == ZDZ_OK) {
    *announced = static_cast<uint32_t>(latest.Announced);
    *number = latest.Number;
  }
  return status;
}

int32_t zdz_sim_set_stepped_clock(int32_t stepped) {
  SimSetSteppedClock(stepped != 0);
  return Plain(ZDZ_OK);
}

int32_t zdz_sim_advance(double seconds) {
  if (!(seconds >= 0) || !std::isfinite(seconds))
    return Failed(ZDZ_E_ARGUMENT, "the clock moves on by a finite number of seconds, 0 or more, not %g", seconds);
  SimAdvance(seconds);
  return Plain(ZDZ_OK);
}

int32_t zdz_sim_load_virtual_stations(const char* file, char* message, uint32_t capacity, uint32_t* size) {
  if (message == nullptr && capacity != 0)
    return Plain(ZDZ_E_ARGUMENT);
  LoadRequest request{file, message, capacity, size};
  return zdz_call_locked(Load, &request);
}

// From inside a receiver the release would wait for the thread that is calling it.
int32_t zdz_sim_release_virtual_stations(void) {
  if (SimInsideReceiver())
    return Failed(ZDZ_E_ORDER, "%s", InsideReceiverText);
  const int32_t status = zdz_call_locked(Release, nullptr);
  // Outside the lock: the receiver being waited for may be waiting for it.
  if (status == ZDZ_OK)
    SimLiveEnd(true);
  return status;
}
