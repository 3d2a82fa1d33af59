// Shutdown of CGUIDatabase: ending the front ends and modules and emptying the maps.
#include <zodavudaz/database/CGUIDatabase.h>

#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

namespace {
constexpr WORD FrontEndStation = 0;
constexpr WORD NoEvent = 0xFFFF;

bool IsExtraModule(WORD id) noexcept { return (id & 0x00F0) != 0; }

/// Runs end(id, module) on every module of station whose id passes select, then destroys the
/// record and unfiles it. The next position is taken before an entry is removed.
template <typename SelectT, typename EndT>
void DestroyModules(CStation& station, SelectT select, EndT end) noexcept {
  for (POSITION position = station.ModuleMap.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CModule* module = nullptr;
    station.ModuleMap.GetNextAssoc(position, id, module);
    if (!select(id))
      continue;
    if (module != nullptr) {
      module->ReleaseScaleTable();
      end(id, *module);
      // Exit ends the frontend's work only; the frontend object stays the frontend library's.
      if (module->Frontend != nullptr)
        module->Frontend->Destroy();
      delete module;
    }
    station.ModuleMap.RemoveKey(id);
  }
}
} // namespace

void CGUIDatabase::Exit() noexcept {
  CStation* frontEnds = nullptr;
  if (GetStationInf(FrontEndStation, &frontEnds)) {
    DestroyModules(*frontEnds, IsExtraModule, [&](WORD id, CModule&) { StopViewer(FrontEndStation, id); });
    StationMap.RemoveKey(FrontEndStation);
  }
  bool releaseFailed = false;
  for (POSITION position = StationMap.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    CStation* station = nullptr;
    StationMap.GetNextAssoc(position, id, station);
    if (station == nullptr)
      continue;
    DestroyModules(*station, IsExtraModule, [](WORD, CModule&) {});
    DestroyModules(
        *station, [](WORD) { return true; },
        [&](WORD, CModule& module) {
          // The record's own filters, whatever ids it carries.
          module.ReleaseGuiFilters();
          // One failed release stops the releases of this Exit; every module is still ended.
          if (module.EventId != NoEvent && !releaseFailed)
            releaseFailed = MoteReleaseEvent(station->StationId, module.ModuleId, module.EventId) != 0;
        });
  }
  StationMap.RemoveAll();
}
