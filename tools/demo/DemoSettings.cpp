#include "tools/demo/DemoScenes.h"

#include <zodavudaz/control/LineEndConversion.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

#include <cstdio>

namespace {
// The file that ReadWindowPlacement and GetModuleBackupInf read: "\\Mardel.tmp" in the settings folder.
CString TmpFileName(const CGUIDatabase& database) { return database.GetCurrentPath() + "\\Mardel.tmp"; }

void ShowTrigger(const ActOnTrigInfo& trig) {
  std::printf("      trigger settings 1-8: %u %u %u %u %u %u %u %u  trigger value %d  files %d from %d  save to \"%s\" "
              "as \"%s\"\n",
              trig.TrigSetting1, trig.TrigSetting2, trig.TrigSetting3, trig.TrigSetting4, trig.TrigSetting5,
              trig.TrigSetting6, trig.TrigSetting7, trig.TrigSetting8, trig.TrigValue, trig.FileNum, trig.FileStartNo,
              trig.SaveDirectory, trig.SaveFileName);
}

void ShowModule(WORD slot, const CModule& module) {
  std::printf(
      "    module %u %-6s window right %ld bottom %ld  simple mode %u  back-up settings 2-4: %u %u %u  config %ld "
      "%ld %ld\n",
      slot, module.ProductName, static_cast<long>(module.WindowRight), static_cast<long>(module.WindowBottom),
      module.GuiSimpleMode, module.BackupSetting2, module.BackupSetting3, module.BackupSetting4,
      static_cast<long>(module.ModuleConfig[0]), static_cast<long>(module.ModuleConfig[1]),
      static_cast<long>(module.ModuleConfig[2]));
  ShowTrigger(module.ActOnTrigInfo);
}

/// The station's back-up text as stored, and its lines once the stored line ends are undone.
void ShowBackup(const CString& backup) {
  std::printf("    back-up \"%s\"\n", static_cast<LPCTSTR>(backup));
  CString text;
  ReverseTerm(backup, text);
  for (int begin = 0, end = 0; begin < text.GetLength(); begin = end + 2) {
    end = text.Find("\r\n", begin);
    if (end < 0)
      end = text.GetLength();
    std::printf("      | %s\n", static_cast<LPCTSTR>(text.Mid(begin, end - begin)));
  }
}

void ShowStation(CGUIDatabase& database, WORD id) {
  CString backup;
  database.UpdateDataBaseEx(TmpFileName(database), id, backup);
  CStation* station = nullptr;
  database.GetStationInf(id, &station);
  const CRect& window = station->WindowRect;
  std::printf("  station %u %s window (%ld, %ld, %ld, %ld)  config", id, static_cast<LPCTSTR>(station->Name),
              static_cast<long>(window.left), static_cast<long>(window.top), static_cast<long>(window.right),
              static_cast<long>(window.bottom));
  for (LONG value : station->StationConfig)
    std::printf(" %ld", static_cast<long>(value));
  std::printf("\n");
  ShowBackup(backup);
  for (WORD slot : ModuleIdsInOrder(*station)) {
    CModule* module = nullptr;
    if (slot < StationSlotCount && station->ModuleMap.Lookup(slot, module))
      ShowModule(slot, *module);
  }
}

void PrintRectangle(const RECT& rectangle) {
  std::printf("(%ld, %ld, %ld, %ld)", static_cast<long>(rectangle.left), static_cast<long>(rectangle.top),
              static_cast<long>(rectangle.right), static_cast<long>(rectangle.bottom));
}

/// The application closes the module's window: its placement goes into the copy of the settings.
void StoreWindowPlacement(const CGUIDatabase& database, const DemoModule& target) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.showCmd = 1;
  placement.rcNormalPosition = RECT{50, 40, 650, 450};
  WriteWindowPlacementEx(&placement, target.Station, target.Slot, TmpFileName(database));
  WINDOWPLACEMENT readBack{};
  const int found = ReadWindowPlacementExFile(&readBack, target.Station, target.Slot, TmpFileName(database));
  std::printf("  WriteWindowPlacementEx for station %u module %u stored ", target.Station, target.Slot);
  PrintRectangle(placement.rcNormalPosition);
  std::printf("; ReadWindowPlacementExFile: %d ", found);
  PrintRectangle(readBack.rcNormalPosition);
  std::printf("\n");
}
} // namespace

void ShowSettings(CGUIDatabase& database, const DemoTargets& targets) {
  std::printf("== Stored GUI state from %s ==\n", static_cast<LPCTSTR>(TmpFileName(database)));
  std::printf(
      "(sections \"Station<NAME>\" and \"Station<NAME>-Module<SLOT>\"; a module's window right and bottom "
      "65537: no position stored; simple mode, back-up settings 2-4, the trigger settings, value and files come "
      "from its \"ModuleInf\" entry, which docs/settings-files.md lists field by field; extra modules and "
      "station 0, which holds the front ends, are not read)\n");
  WINDOWPLACEMENT main{};
  if (ReadWindowPlacement(&main)) {
    std::printf("  main window ");
    PrintRectangle(main.rcNormalPosition);
    std::printf(", show command %u\n", main.showCmd);
  }
  for (WORD id : StationIdsInOrder(database))
    if (id != 0)
      ShowStation(database, id);
  std::printf("  (a module without accepted back-up resets the trigger settings of its whole station)\n");
  if (targets.Acquisition)
    StoreWindowPlacement(database, *targets.Acquisition);
  std::printf("\n");
}
