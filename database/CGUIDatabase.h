// The process-wide GUI database of stations and modules.
#ifndef DATABASE_CGUIDATABASE_H
#define DATABASE_CGUIDATABASE_H

#include "database/CModule.h"
#include "database/CStation.h"
#include "platform/CMapWordToPtr.h"
#include "platform/CRect.h"
#include "platform/CString.h"
#include "platform/CTypedPtrMap.h"
#include "platform/CWordArray.h"

/// One instance per process (GetDataBase). The applications file stations into StationMap and
/// modules into each station's ModuleMap; the operations answer from those records. No locks:
/// callers serialise.
class CGUIDatabase {
public:
  CGUIDatabase() noexcept;
  CGUIDatabase(const CGUIDatabase&) = delete;
  CGUIDatabase& operator=(const CGUIDatabase&) = delete;
  /// Releases the database's own storage; no filed record is destroyed.
  ~CGUIDatabase();

  // Settings folder, paths and GUI flags, stored and returned unchanged.
  void SetCurrentPath(CString path) noexcept { CurrentPath = path; }
  CString GetCurrentPath() const noexcept { return CurrentPath; }
  void SetMultiModulePath(CString path) noexcept { MultiModulePath = path; }
  CString GetMultiModulePath() const noexcept { return MultiModulePath; }
  void SetGuiAllModule(int value) noexcept { GuiAllModule = value; }
  int GetGuiAllModule() const noexcept { return GuiAllModule; }
  void SetGuiPower(int value) noexcept { GuiPower = value; }
  int GetGuiPower() const noexcept { return GuiPower; }
  void SetViewerHeight(int value) noexcept { ViewerHeight = value; }
  int GetViewerHeight() const noexcept { return ViewerHeight; }
  void SetViewerWidth(int value) noexcept { ViewerWidth = value; }
  int GetViewerWidth() const noexcept { return ViewerWidth; }
  void SetSystemErrorLog(int value) noexcept { SystemErrorLog = value; }
  int GetSystemErrorLog() const noexcept { return SystemErrorLog; }
  void SetSystemLanguage(int value) noexcept { SystemLanguage = value; }
  int GetSystemLanguage() const noexcept { return SystemLanguage; }
  void SetParamPower(int value) noexcept { ParamPower = value; }
  int GetParamPower() const noexcept { return ParamPower; }
  void SetOnePanel(int value) noexcept { OnePanel = value; }
  int GetOnePanel() const noexcept { return OnePanel; }
  void SetDblClickPanel(int value) noexcept { DblClickPanel = value; }
  int GetDblClickPanel() const noexcept { return DblClickPanel; }
  void SetNonLoad(int value) noexcept { NonLoad = value; }
  int GetNonLoad() const noexcept { return NonLoad; }
  void SetNonToolTip(int value) noexcept { NonToolTip = value; }
  int GetNonToolTip() const noexcept { return NonToolTip; }
  void SetPowerMsg(int value) noexcept { PowerMsg = value; }
  int GetPowerMsg() const noexcept { return PowerMsg; }
  void SetParamStart(int value) noexcept { ParamStart = value; }
  int GetParamStart() const noexcept { return ParamStart; }
  void SetDefaultSave(int value) noexcept { DefaultSave = value; }
  int GetDefaultSave() const noexcept { return DefaultSave; }
  void SetSaveOnTrigMonitorRect(CRect rect) noexcept { SaveOnTrigMonitorRect = rect; }
  CRect GetSaveOnTrigMonitorRect() const noexcept { return SaveOnTrigMonitorRect; }

  // Frontend numbers 1 to 15.
  /// Makes the table 15 entries long with every number free.
  void Init() noexcept;
  /// Lowest free number without taking it; 0xFFFF when none is free or before Init.
  WORD GetFrontendNo() const noexcept;
  /// Takes the lowest free number; nothing when none is free.
  void SetFrontendNo() noexcept;
  /// Frees number; a number outside 1 to the table size is ignored.
  void ClearFrontendNo(WORD number) noexcept;
  /// Frees every number.
  void ClearFrontendNo() noexcept;

  // Record look-ups: 1 and the record, or 0 and null. "First" means first in map order.
  int GetStationInf(WORD station, CStation** found) const noexcept;
  /// The first station whose Name equals name exactly.
  int GetStationInf(CString name, CStation** found) const noexcept;
  /// The first station whose ListIndex equals index.
  int GetStationListInf(int index, CStation** found) const noexcept;
  /// The first station whose TreeItem equals item.
  int GetStationTreeInf(HTREEITEM item, CStation** found) const noexcept;
  /// The first module, station by station, whose TreeItem equals item.
  int GetModuleTreeInf(HTREEITEM item, CModule** found) const noexcept;
  int GetModuleInf(WORD station, WORD module, CModule** found) const noexcept;
  /// 1 when a station filed under another id than station has this Name.
  int IsSameStationName(CString name, WORD station) const noexcept;

  // Slot and connection facts. A slot with bits 4 to 7 set is an extra module and has no slot of
  // its own; a slot of 256 or more is answered as for a station that is not filed.
  /// 4 for a "ZI400" model, 8 for "RA800", else 0 (also for a station not filed).
  BYTE GetMaxSlot(WORD station) const noexcept;
  int IsExistModule(WORD station, WORD slot) const noexcept;
  BYTE GetConnectStatus(WORD station, WORD slot) const noexcept;
  /// 1 when the slot (1 to 15) can be a master (attribute bit 0) and is joined to the next slot.
  int CheckMaster(WORD station, WORD slot) const noexcept;
  /// 1 when the slot (1 to 15) ends its connected group.
  int CheckTerm(WORD station, WORD slot) const noexcept;
  /// The master slot of the slot's connected group.
  BYTE SearchMaster(WORD station, WORD slot) const noexcept;
  /// Slots from this one to its group's terminal, both counted; 1 for slot 9 or more.
  WORD GetConnectNum(WORD station, WORD slot) const noexcept;
  /// The slot's position in its group; 0 for the master.
  WORD GetConnectNo(WORD station, WORD slot) const noexcept;

  // Module facts; the last answer given applies when the station or module is not filed.
  /// AcqChannel; 0.
  WORD GetAcqChannel(WORD station, WORD module) const noexcept;
  /// 0 and the product name (station 0) or "ZO%x" of the product code; 0xFFFF and empty text.
  WORD GetProductName(WORD station, WORD module, CString& name) const noexcept;
  /// 0 and "ZO%x" of the low 16 bits of productCode.
  WORD GetProductName(DWORD productCode, CString& name) const noexcept;
  /// Bit 1 of ModuleFlags; 0.
  int IsSaveOnTrigEnable(WORD station, WORD module) const noexcept;
  /// GuiSimpleMode; 0.
  BYTE GetGUISimpleMode(WORD station, WORD module) const noexcept;

  // Channel scaling; 0 and null when the station or module is not filed.
  /// 1 and the first record of the module's scaling table; 0 and null when it has none.
  int GetChanScaleInf(WORD station, WORD module, CHNLINF** table) const noexcept;
  /// 1 and record row * AcqChannel + channel (not checked against the table); 0 and null without
  /// a table.
  int GetChanScaleInfEx(WORD station, WORD module, WORD channel, WORD row, CHNLINF** record) const noexcept;
  /// Bit 7 of ModuleFlags; 0.
  int IsScalingEnable(WORD station, WORD module) const noexcept;
  /// 1 when ScalingStatus is not 0; 0.
  int GetScalingStatus(WORD station, WORD module) const noexcept;

  // Database build: a station's stored GUI state, loaded from a settings file or reset. A station
  // that is not filed is left alone; only the modules in slots 0 to 8 are visited.
  /// Loads the station's window, "Config" values and back-up text (into backup) and, per module,
  /// its window, back-up entry and "Config" values from the settings file path (a full path);
  /// what is not stored takes its default. backup is left as it was for a station not filed.
  void UpdateDataBaseEx(CString path, WORD station, CString& backup) noexcept;
  /// Puts the station's and its modules' windows and act-on-trigger settings back to defaults.
  void UpdateDataBase(WORD station) noexcept;
  /// Resets the act-on-trigger settings of the modules of slots 0 to 8 whose slot is marked in
  /// ModuleExist, stopping at the first such slot without a filed module.
  void ResetActOnTrigDatabase(WORD station) noexcept;

  CTypedPtrMap<CMapWordToPtr, WORD, CStation*> StationMap;

private:
  CStation* FindStation(WORD station) const noexcept;
  CModule* FindModule(WORD station, WORD module) const noexcept;
  /// The station's per-slot facts may be read for slot: 0 to 15 and station filed.
  CStation* FindSlotStation(WORD station, WORD slot) const noexcept;

  CString CurrentPath;
  CString MultiModulePath;
  int GuiAllModule;
  int GuiPower;
  int ViewerHeight;
  int ViewerWidth;
  int SystemErrorLog;
  int SystemLanguage;
  int ParamPower;
  int OnePanel;
  int DblClickPanel;
  int NonLoad;
  int NonToolTip;
  int PowerMsg;
  int ParamStart;
  int DefaultSave;
  CRect SaveOnTrigMonitorRect;
  CWordArray FrontendNoTable;
};

#endif
