// C functions that act on a filed station or module: found by id under the interface's lock.
#ifndef ZODAVUDAZ_C_FILEDCALLS_H
#define ZODAVUDAZ_C_FILEDCALLS_H

#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/MadeRecords.h>

/// ZDZ_E_UNKNOWN, with the last-error text naming the station.
int32_t UnfiledStation(WORD station) noexcept;
/// ZDZ_E_UNKNOWN, with the last-error text naming the station or the module that is not filed.
int32_t UnfiledModule(WORD station, WORD module) noexcept;

/// call(station) for a filed station, its status; ZDZ_E_UNKNOWN for a station not filed.
template <typename CallT>
int32_t OnStation(WORD station, CallT call) noexcept {
  return GuardedCall([&]() -> int32_t {
    CStation* found = FiledStation(station);
    return found == nullptr ? UnfiledStation(station) : call(*found);
  });
}

/// call(module) for a filed module, its status; ZDZ_E_UNKNOWN for a station or module not filed.
template <typename CallT>
int32_t OnModule(WORD station, WORD module, CallT call) noexcept {
  return GuardedCall([&]() -> int32_t {
    CModule* found = FiledModule(station, module);
    return found == nullptr ? UnfiledModule(station, module) : call(*found);
  });
}

/// Copies the ids of a map's entries in its walk order into ids, as zdz_get_station_ids says.
template <typename BaseMapT, typename ValueT>
int32_t PutIds(const CTypedPtrMap<BaseMapT, WORD, ValueT>& map, uint16_t* ids, uint32_t capacity,
               uint32_t* count) noexcept {
  *count = static_cast<uint32_t>(map.GetCount());
  uint32_t written = 0;
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    ValueT record = nullptr;
    map.GetNextAssoc(position, id, record);
    if (ids != nullptr && written < capacity)
      ids[written++] = id;
  }
  return ids == nullptr || *count <= capacity ? ZDZ_OK : ZDZ_E_BUFFER_TOO_SMALL;
}

#endif
