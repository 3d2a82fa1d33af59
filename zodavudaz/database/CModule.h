// A module record: one plug-in module (or extra instance of one) of a station.
#ifndef ZODAVUDAZ_DATABASE_CMODULE_H
#define ZODAVUDAZ_DATABASE_CMODULE_H

#include <zodavudaz/database/ActOnTrigInfo.h>
#include <zodavudaz/database/CGuiFilter.h>
#include <zodavudaz/database/CHNLINF.h>
#include <zodavudaz/database/UsedModule.h>
#include <zodavudaz/platform/CMapStringToOb.h>
#include <zodavudaz/platform/CMapWordToPtr.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/CTypedPtrMap.h>
#include <zodavudaz/platform/CWordArray.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

class CFeModule;

/// Allocated by the applications with the global allocation operator; the database owns it once
/// filed, and Exit releases its scaling table, ends its frontend and destroys it.
class ZODAVUDAZ_EXPORT CModule {
public:
  CModule() noexcept;
  CModule(const CModule&) = delete;
  CModule& operator=(const CModule&) = delete;
  /// Releases the filters and used-module records still filed in the module's maps; leaves
  /// ScaleTable and Frontend alone.
  ~CModule();

  /// Releases ScaleTable (allocated with new[]) and clears it.
  void ReleaseScaleTable() noexcept;
  /// Ends Frontend (Destroy(), then delete) and clears it; nothing when there is none.
  void EndFrontend() noexcept;
  /// Releases every record of UsedModuleMap and empties it.
  void ReleaseUsedModules() noexcept;
  /// Releases every record of FilterMap and NamedFilterMap and empties both.
  void ReleaseGuiFilters() noexcept;

  /// Slot number for a module in a slot; bits 4 to 7 set for an extra module.
  WORD ModuleId = 0;
  /// Stored normal position of the module window; 65537 when none is stored.
  LONG WindowRight = 65537;
  LONG WindowBottom = 65537;
  /// The product id shifted left by 8; bits 8 to 23 are the product code.
  DWORD ProductWord = 0;
  /// Acquisition channels; also the row length of ScaleTable.
  WORD AcqChannel = 0;
  char ProductName[32] = {};
  ::ActOnTrigInfo ActOnTrigInfo = {};
  /// Bit 1: save on trigger enabled. Bit 7: scaling enabled.
  BYTE ModuleFlags = 0;
  HTREEITEM TreeItem = nullptr;
  BYTE GuiSimpleMode = 0;
  BYTE BackupSetting2 = 1;
  /// Non-zero: scaling is in effect.
  BYTE ScalingStatus = 0;
  /// AcqChannel records per row.
  CHNLINF* ScaleTable = nullptr;
  /// Created by the frontend library and stored here by the application.
  CFeModule* Frontend = nullptr;
  CString Note;
  /// Frontend numbers of the extra modules opened on this one; 0xFFFF marks a free entry.
  CWordArray ExtraFrontendNo;
  /// Event held for the module in the communication library; 0xFFFF when none.
  DWORD EventId = 0xFFFF;
  BYTE BackupSetting3 = 0xFF;
  BYTE BackupSetting4 = 0xFF;
  /// Control id of the module's current-data query.
  WORD DataCntlId = 0;
  LONG ModuleConfig[3] = {1, 1, 1};
  /// Front-end entries only: key (station << 4) | module id; the map owns its records.
  CTypedPtrMap<CMapWordToPtr, WORD, UsedModule*> UsedModuleMap;
  /// The map owns its records.
  CTypedPtrMap<CMapWordToPtr, WORD, CGuiFilter*> FilterMap;
  /// The map owns its records.
  CMapStringToOb NamedFilterMap;
};

// The sequence thread reads the save-on-trigger record and the flags that follow it as one block.
static_assert(offsetof(CModule, ModuleFlags) == offsetof(CModule, ActOnTrigInfo) + sizeof(ActOnTrigInfo));

#endif
