// The station record filed under an id: what the database's look-ups and build start from.
#ifndef ZODAVUDAZ_DATABASE_FILEDSTATION_H
#define ZODAVUDAZ_DATABASE_FILEDSTATION_H

#include <zodavudaz/database/CGUIDatabase.h>

/// The station filed under station in database's StationMap; null when there is none.
inline CStation* FindFiledStation(const CGUIDatabase& database, WORD station) noexcept {
  CStation* found = nullptr;
  return database.StationMap.Lookup(station, found) ? found : nullptr;
}

#endif
