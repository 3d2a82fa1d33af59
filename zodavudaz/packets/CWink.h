// The communication layer's station link table: one CStationInfo per station, and a back copy.
#ifndef ZODAVUDAZ_PACKETS_CWINK_H
#define ZODAVUDAZ_PACKETS_CWINK_H

#include <zodavudaz/packets/CStationInfo.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

/// One per process (GetWink); filled by the communication library. Copies copy the update
/// request, both tables entry by entry (strings included) and all seven counters.
class ZODAVUDAZ_EXPORT CWink {
public:
  /// Entries of each table; entry 40 is the broadcast entry.
  static constexpr int EntryCount = 42;
  static constexpr int BroadcastEntry = 40;

  CWink() noexcept = default;
  CWink(const CWink&) noexcept = default;
  CWink& operator=(const CWink&) noexcept = default;

  CStationInfo* GetBroadcastEntry() noexcept { return &StationTable[BroadcastEntry]; }
  CStationInfo* GetBroadcastEntryBack() noexcept { return &BackTable[BroadcastEntry]; }
  /// The stations known plus the broadcast entry.
  WORD GetAllStationNum() noexcept { return static_cast<WORD>(GetStationNum() + 1); }

  /// The number of stations the communication layer knows.
  WORD GetStationNum() noexcept;
  /// 0 and *id = the station id of address when it is known; otherwise nonzero and *id unchanged.
  WORD GetStationId(LONG address, WORD* id) noexcept;
  /// The entry of table (EntryCount entries), from index first on, whose address is address;
  /// null when there is none.
  CStationInfo* IsStation(CStationInfo* table, WORD first, LONG address) noexcept;

private:
  friend struct CommLayerAccess;

  void UpdateStationDB() noexcept { UpdateRequest = 1; }
  WORD GetMaxStId() const noexcept { return Counters[2]; }
  void SetStationOutNum(WORD count) noexcept { Counters[3] = count; }
  CStationInfo* IsStation(LONG address) noexcept { return IsStation(StationTable, 0, address); }

  // Compile-time only: the communication library shares this layout.
  static void CheckLayout() noexcept {
    static_assert(sizeof(CWink) == PerBuild(3044, 4056));
    static_assert(offsetof(CWink, StationTable) == PerBuild(4, 8));
    static_assert(offsetof(CWink, BackTable) == PerBuild(4 + EntryCount * sizeof(CStationInfo), 2024));
    static_assert(offsetof(CWink, Counters) == PerBuild(4 + std::size_t{2} * EntryCount * sizeof(CStationInfo), 4040));
  }

  LONG UpdateRequest = 0;
  CStationInfo StationTable[EntryCount];
  CStationInfo BackTable[EntryCount];
  /// The third is the highest station id, the fourth the number of stations out.
  WORD Counters[7] = {};
};

#endif
