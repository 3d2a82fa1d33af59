// Stations filed, changed and removed through the C interface.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/c/RecordLayouts.h>
#include <zodavudaz/entry/LibraryEntry.h>

#include <cstring>
#include <memory>

int32_t zdz_add_station(uint16_t station, const char* name, const char* model) {
  if (name == nullptr || model == nullptr || std::strlen(model) >= sizeof CStation::ModelName)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    if (FiledStation(station) != nullptr)
      return ZDZ_E_EXISTS;
    auto made = std::make_unique<CStation>();
    made->StationId = station;
    made->Name = name;
    std::strcpy(made->ModelName, model);
    KeepMadeStation(made.get());
    CStation* kept = made.release();
    if (!GetDataBase()->StationMap.SetAt(station, kept)) {
      FreeMadeStation(kept);
      return ZDZ_E_NO_MEMORY;
    }
    return ZDZ_OK;
  });
}

int32_t zdz_remove_station(uint16_t station) {
  return OnStation(station, [&](CStation& filed) {
    if (!filed.ModuleMap.IsEmpty())
      return ZDZ_E_ORDER;
    GetDataBase()->StationMap.RemoveKey(station);
    FreeMadeStation(&filed);
    return ZDZ_OK;
  });
}

int32_t zdz_set_station_slot(uint16_t station, uint16_t slot, uint8_t module_exist, uint8_t slot_attribute,
                             uint8_t connect_status) {
  if (slot >= StationSlotCount)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation& filed) {
    filed.ModuleExist[slot] = module_exist;
    filed.SlotAttribute[slot] = slot_attribute;
    filed.ConnectStatus[slot] = connect_status;
    return ZDZ_OK;
  });
}

int32_t zdz_set_station_list_index(uint16_t station, int32_t index) {
  return OnStation(station, [&](CStation& filed) {
    filed.ListIndex = index;
    return ZDZ_OK;
  });
}

int32_t zdz_set_station_tree_item(uint16_t station, uintptr_t item) {
  return OnStation(station, [&](CStation& filed) {
    filed.TreeItem = reinterpret_cast<HTREEITEM>(item); // NOLINT(performance-no-int-to-ptr)
    return ZDZ_OK;
  });
}

int32_t zdz_set_station_access_state(uint16_t station, int32_t state) {
  return OnStation(station, [&](CStation& filed) {
    filed.AccessState = state;
    return ZDZ_OK;
  });
}

int32_t zdz_get_station_model(uint16_t station, char* model, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(model, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation& filed) {
    return PutText(filed.ModelName, strnlen(filed.ModelName, sizeof filed.ModelName), model, capacity, size);
  });
}

int32_t zdz_get_station_stored(uint16_t station, zdz_rect* window, int32_t* config) {
  if (window == nullptr || config == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation& filed) {
    *window = ToC<zdz_rect, RECT>(filed.WindowRect);
    for (std::size_t index = 0; index < std::size(filed.StationConfig); ++index)
      config[index] = filed.StationConfig[index];
    return ZDZ_OK;
  });
}

int32_t zdz_get_station_ids(uint16_t* ids, uint32_t capacity, uint32_t* count) {
  if (count == nullptr || (ids == nullptr && capacity != 0))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] { return PutIds(GetDataBase()->StationMap, ids, capacity, count); });
}
