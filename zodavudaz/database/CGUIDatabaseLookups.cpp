// Station and module look-ups of CGUIDatabase: records, slot and connection facts, module facts
// and channel scaling.
#include <zodavudaz/database/CGUIDatabase.h>

#include <zodavudaz/database/FiledStation.h>

#include <cstring>

namespace {
constexpr WORD ExtraModuleBits = 0x00F0;
constexpr WORD FirstUnslottedNumber = 0x0100;

bool IsExtraModule(WORD slot) noexcept { return (slot & ExtraModuleBits) != 0; }

template <typename Match>
CStation* FirstStation(const CTypedPtrMap<CMapWordToPtr, WORD, CStation*>& stations, Match matches) noexcept {
  for (POSITION position = stations.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CStation* station = nullptr;
    stations.GetNextAssoc(position, id, station);
    // The applications may file a null record; it matches nothing.
    if (station != nullptr && matches(id, *station))
      return station;
  }
  return nullptr;
}

template <typename RecordT>
int Answer(RecordT* record, RecordT** found) noexcept {
  *found = record;
  return record != nullptr ? 1 : 0;
}

CModule* FindModule(const CGUIDatabase& database, WORD station, WORD module) noexcept {
  const CStation* owner = FindFiledStation(database, station);
  return owner != nullptr ? FindFiledModule(*owner, module) : nullptr;
}

/// The station's per-slot facts may be read for slot: 0 to 15 and station filed.
CStation* FindSlotStation(const CGUIDatabase& database, WORD station, WORD slot) noexcept {
  // Bits above bit 7 would index far past the 16 per-slot entries.
  if (slot >= FirstUnslottedNumber || IsExtraModule(slot))
    return nullptr;
  return FindFiledStation(database, station);
}
} // namespace

int CGUIDatabase::GetStationInf(WORD station, CStation** found) const noexcept {
  return Answer(FindFiledStation(*this, station), found);
}

int CGUIDatabase::GetStationInf(CString name, CStation** found) const noexcept {
  return Answer(FirstStation(StationMap, [&](WORD, const CStation& station) { return station.Name == name; }), found);
}

int CGUIDatabase::GetStationListInf(int index, CStation** found) const noexcept {
  return Answer(FirstStation(StationMap, [&](WORD, const CStation& station) { return station.ListIndex == index; }),
                found);
}

int CGUIDatabase::GetStationTreeInf(HTREEITEM item, CStation** found) const noexcept {
  return Answer(FirstStation(StationMap, [&](WORD, const CStation& station) { return station.TreeItem == item; }),
                found);
}

int CGUIDatabase::GetModuleTreeInf(HTREEITEM item, CModule** found) const noexcept {
  CModule* match = nullptr;
  FirstStation(StationMap, [&](WORD, const CStation& station) {
    for (POSITION position = station.ModuleMap.GetStartPosition(); position != nullptr;) {
      WORD id = 0;
      CModule* module = nullptr;
      station.ModuleMap.GetNextAssoc(position, id, module);
      if (module != nullptr && module->TreeItem == item) {
        match = module;
        return true;
      }
    }
    return false;
  });
  return Answer(match, found);
}

int CGUIDatabase::GetModuleInf(WORD station, WORD module, CModule** found) const noexcept {
  return Answer(FindModule(*this, station, module), found);
}

int CGUIDatabase::IsSameStationName(CString name, WORD station) const noexcept {
  auto sameNameElsewhere = [&](WORD id, const CStation& other) { return id != station && other.Name == name; };
  return FirstStation(StationMap, sameNameElsewhere) != nullptr ? 1 : 0;
}

BYTE CGUIDatabase::GetMaxSlot(WORD station) const noexcept {
  const CStation* found = FindFiledStation(*this, station);
  if (found == nullptr)
    return 0;
  // The model text may fill its array; never search past it.
  const char* model = found->ModelName;
  const std::size_t length = strnlen(model, sizeof found->ModelName);
  auto contains = [&](const char* text) {
    const std::size_t textLength = std::strlen(text);
    for (std::size_t start = 0; start + textLength <= length; ++start)
      if (std::memcmp(model + start, text, textLength) == 0)
        return true;
    return false;
  };
  if (contains("ZI400"))
    return 4;
  if (contains("RA800"))
    return 8;
  return 0;
}

int CGUIDatabase::IsExistModule(WORD station, WORD slot) const noexcept {
  if (slot < FirstUnslottedNumber && IsExtraModule(slot))
    return 1;
  const CStation* found = FindSlotStation(*this, station, slot);
  return found != nullptr && found->ModuleExist[slot] != 0 ? 1 : 0;
}

BYTE CGUIDatabase::GetConnectStatus(WORD station, WORD slot) const noexcept {
  const CStation* found = FindSlotStation(*this, station, slot);
  return found != nullptr ? found->ConnectStatus[slot] : 0;
}

int CGUIDatabase::CheckMaster(WORD station, WORD slot) const noexcept {
  const CStation* found = FindSlotStation(*this, station, slot);
  if (found == nullptr || slot == 0)
    return 0;
  return (found->SlotAttribute[slot] & 1) != 0 && found->ConnectStatus[slot] == 1 ? 1 : 0;
}

int CGUIDatabase::CheckTerm(WORD station, WORD slot) const noexcept {
  const CStation* found = FindSlotStation(*this, station, slot);
  if (found == nullptr || slot == 0)
    return 0;
  if (found->ConnectStatus[slot] != 1)
    return 1;
  return slot == GetMaxSlot(station) ? 1 : 0;
}

BYTE CGUIDatabase::SearchMaster(WORD station, WORD slot) const noexcept {
  const BYTE ownSlot = static_cast<BYTE>(slot);
  const CStation* found = FindSlotStation(*this, station, slot);
  if (found == nullptr)
    return ownSlot;
  for (int below = static_cast<int>(slot) - 1; below >= 0; --below)
    if (found->ConnectStatus[below] == 0)
      return static_cast<BYTE>(below + 1);
  return ownSlot;
}

WORD CGUIDatabase::GetConnectNum(WORD station, WORD slot) const noexcept {
  constexpr WORD LastCountedSlot = 8;
  if (slot > LastCountedSlot)
    return 1;
  WORD count = 1;
  for (WORD term = slot; term <= LastCountedSlot && !CheckTerm(station, term); ++term)
    ++count;
  return count;
}

WORD CGUIDatabase::GetConnectNo(WORD station, WORD slot) const noexcept {
  return static_cast<WORD>(slot - SearchMaster(station, slot));
}

WORD CGUIDatabase::GetAcqChannel(WORD station, WORD module) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  return found != nullptr ? found->AcqChannel : 0;
}

WORD CGUIDatabase::GetProductName(WORD station, WORD module, CString& name) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  if (found == nullptr) {
    name.Empty();
    return 0xFFFF;
  }
  if (station == 0)
    name = CString(found->ProductName, static_cast<int>(strnlen(found->ProductName, sizeof found->ProductName)));
  else
    GetProductName(found->ProductWord >> 8, name);
  return 0;
}

WORD CGUIDatabase::GetProductName(DWORD productCode, CString& name) const noexcept {
  name.Format("ZO%x", static_cast<unsigned>(productCode & 0xFFFF));
  return 0;
}

int CGUIDatabase::IsSaveOnTrigEnable(WORD station, WORD module) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  return found != nullptr && (found->ModuleFlags & 0x02) != 0 ? 1 : 0;
}

BYTE CGUIDatabase::GetGUISimpleMode(WORD station, WORD module) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  return found != nullptr ? found->GuiSimpleMode : 0;
}

int CGUIDatabase::GetChanScaleInf(WORD station, WORD module, CHNLINF** table) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  return Answer(found != nullptr ? found->ScaleTable : nullptr, table);
}

int CGUIDatabase::GetChanScaleInfEx(WORD station, WORD module, WORD channel, WORD row,
                                    CHNLINF** record) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  if (found == nullptr || found->ScaleTable == nullptr)
    return Answer<CHNLINF>(nullptr, record);
  const std::size_t index = static_cast<std::size_t>(row) * found->AcqChannel + channel;
  return Answer(found->ScaleTable + index, record);
}

int CGUIDatabase::IsScalingEnable(WORD station, WORD module) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  return found != nullptr && (found->ModuleFlags & 0x80) != 0 ? 1 : 0;
}

int CGUIDatabase::GetScalingStatus(WORD station, WORD module) const noexcept {
  const CModule* found = FindModule(*this, station, module);
  return found != nullptr && found->ScalingStatus != 0 ? 1 : 0;
}
