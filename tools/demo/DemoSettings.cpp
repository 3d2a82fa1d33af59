#include "tools/demo/DemoScenes.h"

#include <zodavudaz/control/LineEndConversion.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

#include <cstdio>

namespace {
const WORD DemoStationIds[] = {1, 2, 16};

// The file that ReadWindowPlacement and GetModuleBackupInf read: "\\Mardel.tmp" in the settings folder.
CString TmpFileName(const CGUIDatabase& database) { return database.GetCurrentPath() + "\\Mardel.tmp"; }

void ShowTrigger(const ActOnTrigInfo& trig) {
  std::printf("      trigger %u %u %u %u %u %u %u %u  value %d  files %d from %d  save to \"%s\" as \"%s\"\n",
              trig.TrigSetting1, trig.TrigSetting2, trig.TrigSetting3, trig.TrigSetting4, trig.TrigSetting5,
              trig.TrigSetting6, trig.TrigSetting7, trig.TrigSetting8, trig.TrigValue, trig.FileNum, trig.FileStartNo,
              trig.SaveDirectory, trig.SaveFileName);
}

void ShowModule(WORD slot, const CModule& module) {
  std::printf("    module %u %-6s window right %ld bottom %ld  simple mode %u  back-up %u %u %u  config %ld %ld %ld\n",
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
  for (WORD slot = 0; slot < StationSlotCount; ++slot) {
    CModule* module = nullptr;
    if (station->ModuleMap.Lookup(slot, module))
      ShowModule(slot, *module);
  }
}
} // namespace

void ShowSettings(CGUIDatabase& database) {
  std::printf("== Stored GUI state from %s ==\n", static_cast<LPCTSTR>(TmpFileName(database)));
  std::printf("(window right and bottom 65537: no position stored; docs/settings-files.md lists every key)\n");
  WINDOWPLACEMENT main{};
  if (ReadWindowPlacement(&main))
    std::printf("  main window (%ld, %ld, %ld, %ld), show command %u\n", static_cast<long>(main.rcNormalPosition.left),
                static_cast<long>(main.rcNormalPosition.top), static_cast<long>(main.rcNormalPosition.right),
                static_cast<long>(main.rcNormalPosition.bottom), main.showCmd);
  for (WORD id : DemoStationIds)
    ShowStation(database, id);
  std::printf("  (a module without accepted back-up resets the trigger settings of its whole station)\n\n");
}
