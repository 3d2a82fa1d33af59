// The station and module records filed under their ids: what the database's look-ups and build start
// from.
#ifndef ZODAVUDAZ_DATABASE_FILEDSTATION_H
#define ZODAVUDAZ_DATABASE_FILEDSTATION_H

#include <zodavudaz/database/CGUIDatabase.h>

/// The station filed under station in database's StationMap; null when there is none.
inline CStation* FindFiledStation(const CGUIDatabase& database, WORD station) noexcept {
  CStation* found = nullptr;
  return database.StationMap.Lookup(station, found) ? found : nullptr;
}

/// The module filed under slot in station's ModuleMap; null when none is, or when a null record
/// is filed there.
inline CModule* FindFiledModule(const CStation& station, WORD slot) noexcept {
  CModule* found = nullptr;
  return station.ModuleMap.Lookup(slot, found) ? found : nullptr;
}

#endif
