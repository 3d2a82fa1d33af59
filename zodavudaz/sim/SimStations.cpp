// The simulated station link table and the station look-ups of the communication library.
#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/CWink.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/sim/CommLayerAccess.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimParts.h>

namespace {
CWink Wink;

bool IsStationId(WORD id) noexcept { return id < CWink::BroadcastEntry; }
} // namespace

CWink* GetWink() noexcept { return &Wink; }

WORD CWink::GetStationNum() noexcept {
  WORD count = 0;
  for (int id = 0; id < BroadcastEntry; ++id)
    if (StationTable[id].IsExist())
      ++count;
  return count;
}

WORD CWink::GetStationId(LONG address, WORD* id) noexcept {
  CStationInfo* found = IsStation(StationTable, 0, address);
  if (found == nullptr || found - StationTable >= BroadcastEntry)
    return SimUnknownStation;
  if (id != nullptr)
    *id = static_cast<WORD>(found - StationTable);
  return 0;
}

CStationInfo* CWink::IsStation(CStationInfo* table, WORD first, LONG address) noexcept {
  if (table == nullptr || address == -1)
    return nullptr;
  for (int index = first; index < EntryCount; ++index)
    if (table[index].GetStationAddress() == address)
      return &table[index];
  return nullptr;
}

CStationInfo* CManager::GetStationInfo(WORD id) noexcept {
  if (!IsStationId(id))
    return nullptr;
  CStationInfo& entry = CommLayerAccess::StationTable(Wink)[id];
  return entry.IsExist() ? &entry : nullptr;
}

LONG CStationInfo::GetNetAddress() noexcept {
  return StationAddress == -1 ? -1 : static_cast<LONG>((DWORD{GroupNo} << 16) | (StationAddress & 0xFFFF));
}

void ResetStations() noexcept { Wink = CWink(); }

void SimSetStation(const SimStation& station) noexcept {
  if (!IsStationId(station.Id))
    return;
  CStationInfo& entry = CommLayerAccess::StationTable(Wink)[station.Id];
  CommLayerAccess::FillStation(entry, station);
  CommLayerAccess::BackTable(Wink)[station.Id] = entry;
  WORD highest = 0;
  for (WORD id = 0; IsStationId(id); ++id)
    if (CommLayerAccess::StationTable(Wink)[id].IsExist())
      highest = id;
  CommLayerAccess::SetMaxStationId(Wink, highest);
}
