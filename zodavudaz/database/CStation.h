// A station (measurement mainframe) record, created and owned by the applications.
#ifndef ZODAVUDAZ_DATABASE_CSTATION_H
#define ZODAVUDAZ_DATABASE_CSTATION_H

#include <zodavudaz/platform/CMapWordToPtr.h>
#include <zodavudaz/platform/CRect.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/CTypedPtrMap.h>
#include <zodavudaz/platform/Export.h>

class CModule;

/// Per-slot facts cover slot numbers 0 to 15.
constexpr int StationSlotCount = 16;

/// The members the library reads and writes; the library never destroys a station.
class ZODAVUDAZ_EXPORT CStation {
public:
  CStation() noexcept = default;
  CStation(const CStation&) = delete;
  CStation& operator=(const CStation&) = delete;

  WORD StationId = 0;
  CString Name;
  /// Normal-position rectangle of the station window as last stored; all zero when none.
  CRect WindowRect;
  /// Model designation; "ZI400" means 4 slots, "RA800" 8.
  char ModelName[32] = {};
  BYTE ModuleExist[StationSlotCount] = {};
  /// Bit 0 marks a slot that can be a group's master.
  BYTE SlotAttribute[StationSlotCount] = {};
  /// 1: the module in this slot is joined to the one in the next slot.
  BYTE ConnectStatus[StationSlotCount] = {};
  CTypedPtrMap<CMapWordToPtr, WORD, CModule*> ModuleMap;
  HTREEITEM TreeItem = nullptr;
  int ListIndex = 0;
  /// Filled by the applications; 10 and 9 allow access and release in a multi-client manager.
  LONG AccessState = 0;
  LONG StationConfig[7] = {1, 1, 1, 1, 1, 1, 0};
};

#endif
