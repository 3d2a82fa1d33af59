// The process-wide GUI database of stations and modules.
#ifndef ZODAVUDAZ_DATABASE_CGUIDATABASE_H
#define ZODAVUDAZ_DATABASE_CGUIDATABASE_H

#include <zodavudaz/database/CModule.h>
#include <zodavudaz/database/CStation.h>
#include <zodavudaz/packets/AcqDataInfo.h>
#include <zodavudaz/packets/WAVEINF.h>
#include <zodavudaz/platform/CMapWordToPtr.h>
#include <zodavudaz/platform/CRect.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/CTypedPtrMap.h>
#include <zodavudaz/platform/CWordArray.h>
#include <zodavudaz/platform/Export.h>

class CFRONTEND;
class CRplySync;
struct _ModulePacket;

/// One instance per process (GetDataBase). The applications file stations into StationMap and
/// modules into each station's ModuleMap; the operations answer from those records. No locks:
/// callers serialise.
class ZODAVUDAZ_EXPORT CGUIDatabase {
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
  // Taken by value as callers link against it; CRect is four integers.
  // cppcheck-suppress passedByValue
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
  /// A module without an accepted "ModuleInf" resets the trigger settings of every module of the
  /// station, those read before it included; keys and defaults are in docs/settings-files.md.
  /// GetLastProfileCause then says whether the file was read (None), missing, busy or unreadable.
  void UpdateDataBaseEx(CString path, WORD station, CString& backup) noexcept;
  /// Puts the station's and its modules' windows and act-on-trigger settings back to defaults.
  void UpdateDataBase(WORD station) noexcept;
  /// Resets the act-on-trigger settings of the modules of slots 0 to 8 whose slot is marked in
  /// ModuleExist, stopping at the first such slot without a filed module.
  void ResetActOnTrigDatabase(WORD station) noexcept;

  // Module queries through the module's frontend, with the manager's shared reply record: 205 when
  // the station or module is not filed or the module has no frontend (nothing is sent then), else
  // the frontend's result. Replies handed out by pointer stay the frontend library's.
  /// GUI group request cntl without data; *reply = the reply packet.
  WORD GuiQuery(WORD station, WORD slot, WORD cntl, _ModulePacket** reply) noexcept;
  /// GUI group request cntl with one byte: 1 for mode 0, else 2 when the command line holds "-g"
  /// and 0 when not; *data and *count = the reply's data and element count.
  WORD GuiGetArray(WORD station, WORD slot, WORD cntl, void** data, DWORD* count, BYTE mode) noexcept;
  /// Query group request cntl; *data and *count = the reply's data and element count.
  WORD SettingQueryPointer(WORD station, WORD slot, WORD cntl, void** data, DWORD* count) noexcept;
  /// The help information from the query group, else from the param group; *fromQuery 1 when the
  /// query group answered it, else 0 (also for 205).
  WORD HelpQueryPointer(WORD station, WORD slot, void** data, DWORD* count, WORD* fromQuery) noexcept;
  // The sequence information reply: a 32-byte header (the mode the u16 at byte 24, the table's
  // length the u32 at byte 28), then the table. The reply holds count << (type >> 4) bytes; a
  // reply whose type has a width field above 3 (0xFF included) counts as holding none.
  /// A copy of the module's sequence table in *table (the caller releases it with ::operator
  /// delete) and its length in *size. 205 and a null table when the table is empty or the reply
  /// is shorter than it says; 400 (table unchanged) when no copy can be allocated.
  WORD GetSeqTable(WORD station, WORD slot, void** table, DWORD* size) noexcept;
  /// *mode = the module's sequence mode; unchanged on failure, 205 for a reply that ends before
  /// byte 26.
  WORD GetSeqMode(WORD station, WORD slot, WORD* mode) noexcept;
  /// Executes cntl with count elements of type at data (type 0xFF, count 0: none).
  WORD SyncExec(WORD station, WORD slot, WORD cntl, void* data, WORD type, DWORD count) noexcept;
  /// The module's frontend; null when the station or module is not filed or it has none.
  CFRONTEND* GetFrontendModule(WORD station, WORD slot) const noexcept;
  /// The station's Name; empty when it is not filed.
  void GuiGetStationName(WORD station, CString& name) const noexcept;
  /// "Slot %d " (Japanese when the manager's language is 17), or "%d:" of the extra-module number
  /// for an extra module, followed by the ProductName; empty when the module is not filed.
  void GuiGetModuleName(WORD station, WORD slot, CString& name) const noexcept;

  // Acquisition data, with the caller's reply record sync. 502 when the station or module is not
  // filed or has no frontend, 302 when the module reports no wave information, 400 when scratch
  // memory cannot be allocated, else the frontend's result unchanged. offset picks the member of
  // the module's connected group (0: the module itself). Data travels with a type code: bits 4 to
  // 7 are log2 of the element width (bytes = count << (type >> 4)); the library converts 0x00 and
  // 0x01 as unsigned 8-bit, 0x10 and 0x11 signed 16-bit, 0x20 and 0x21 signed 32-bit, 0x22 float,
  // 0x32 double, in the machine's byte order. docs/acquired-data.md has a worked example and what
  // the simulated modules make of each value.
  /// The wave information of the module's acquisitions: up to 100 WAVEINF records into info, which
  /// has room for 100 (12800 bytes), copied as the module sent them; *count = whole records
  /// delivered (0 first, and on 502 or 302). first and second go to the module unchanged (the
  /// simulated modules: first >= 0 keeps that channel's records only, a negative first keeps every
  /// channel, second is not used). 302 when the reply holds nothing, whatever the frontend answered.
  WORD GetWaveInfo(WORD station, WORD slot, WORD offset, LONG first, LONG second, WAVEINF* info, WORD* count,
                   CRplySync* sync) noexcept;
  /// GetWaveInfo converted: each record into an _AcqDataInfo (fields widened, the five values
  /// converted to double by DataType; for a DataType without a conversion the doubles are left
  /// unwritten). info has room for GetConnectNum x GetAcqChannel records; records beyond are not
  /// read. *count = records converted; 0 on any failure, and then info is untouched.
  WORD GetAcqInfo(WORD station, WORD slot, WORD offset, LONG first, LONG second, _AcqDataInfo* info, WORD* count,
                  CRplySync* sync) noexcept;
  /// Acquired data into buffer (capacity bytes): the six values first, second, third, fourth,
  /// points (0 and 0xFFFFFFFF sent as -1, "every point") and the direction (0 sent as 0, 1 as -1,
  /// 2 as +1, any other as 0) go to the module as signed 32-bit values; the library reads none of
  /// them but points and first. The simulated modules read first as the channel, third as the
  /// start point and two elements (minimum, maximum) per point; direction -1 makes the points end
  /// at the start point, any other value makes them begin there. *type = the reply's type code.
  /// *size: the reply's bytes (within capacity) when points is 0 or 0xFFFFFFFF, first is -1, or the
  /// reply is the 2 x points elements asked for. Any other reply (a failed request, fewer points
  /// held from the start point, a buffer too small) makes a second request for every point from
  /// the start point, after GetWaveInfo (first, second) finds the acquisition's PointNum; when it
  /// succeeds *size is the element count it gave (what the module holds from the start point, not
  /// bytes), while buffer keeps the first reply. Result: the first request's, or the wave
  /// information's (302 without records), or 400.
  WORD GetAcqDataEx(WORD station, WORD slot, WORD offset, LONG first, LONG second, LONG third, LONG fourth,
                    DWORD points, WORD direction, void* buffer, DWORD capacity, WORD* type, DWORD* size,
                    CRplySync* sync) noexcept;
  /// The current values of every channel into buffer, as the module sends them (input byte 0xFF
  /// under the module's DataCntlId); of the whole connected group when the module is the group's
  /// first, member after member. *size = buffer's bytes on entry, the bytes delivered on return
  /// (on a failure: 0 for a module alone, unchanged for a group); a member's reply that does not
  /// fit is dropped whole, and the call still answers 0. 502 for channel other than -1 (all) or a
  /// module of a group other than its first.
  WORD GetCurrentData(WORD station, WORD slot, short channel, DWORD* size, void* buffer, WORD* type,
                      CRplySync* sync) noexcept;
  /// Sends the scaling enable byte, then count CHNLINF records as their bytes; the second request's
  /// result.
  WORD SetScaleTbl(WORD station, WORD slot, WORD offset, CHNLINF* table, WORD count, BYTE enable,
                   CRplySync* sync) noexcept;

  // Front-end usage registry. The entries filed under station 0 are the front ends; each keeps the
  // modules it uses in its UsedModuleMap under (station << 4) | slot.
  /// Records that entry frontend uses the module, replacing a record under the same key; nothing
  /// when station 0 or the entry is not filed.
  void RegistFrontendUsedModule(WORD frontend, WORD station, WORD slot) noexcept;
  /// 1 when some front-end entry uses the module.
  int IsUseFrontEnd(WORD station, WORD slot) const noexcept;
  /// 1 when entry frontend uses the module.
  int IsUseFrontEnd(WORD frontend, WORD station, WORD slot) const noexcept;
  /// 1 and *frontend = the first user's id; else 0 and 0xFFFF.
  int IsUseFrontEnd(WORD station, WORD slot, WORD* frontend) const noexcept;
  /// 1 when some user of the module runs a sequence.
  int IsUseFrontEndAndRun(WORD station, WORD slot) const noexcept;
  /// Posts a stop message for the module's viewer to the sequence thread; nothing when the module is
  /// not filed or its sequence mode cannot be read.
  void StopViewer(WORD station, WORD slot) noexcept;
  /// Releases the module's scaling table, ends its frontend, unfiles it (the record stays the
  /// caller's) and frees its number in its base module's ExtraFrontendNo.
  void ExitFrontEnd(WORD station, WORD slot) noexcept;
  /// As ExitFrontEnd, and for a front-end entry stops its viewer first; releases its used modules
  /// and frees its frontend number in the database's table.
  void ExitMultiModule(WORD station, WORD slot) noexcept;
  /// 1 when the station's AccessState is 10 and the manager is multi-client.
  int IsAccessEnable(WORD station) const noexcept;
  /// 1 when the station's AccessState is 9 and the manager is multi-client.
  int IsReleaseEnable(WORD station) const noexcept;

  // GUI filters of a module, by number and by name (case-sensitive); the module owns them. Nothing
  // happens for a station or module that is not filed.
  /// Files {id, value} under id, replacing a filter there.
  void AddGuiFilter(WORD station, WORD slot, WORD id, WORD value) noexcept;
  /// Files {0, value} under name, replacing a filter there.
  void AddGuiFilter(WORD station, WORD slot, CString name, WORD value) noexcept;
  /// Releases the filter under id; nothing when there is none.
  void RemoveGuiFilter(WORD station, WORD slot, WORD id) noexcept;
  void RemoveGuiFilter(WORD station, WORD slot, CString name) noexcept;
  /// Releases every filter of the module.
  void RemoveAllGuiFilter(WORD station, WORD slot) noexcept;
  /// 1 and *filter = the filter under id (valid until it is replaced or removed); 0, *filter
  /// unchanged, when there is none.
  int GetGuiFilter(WORD station, WORD slot, WORD id, CGuiFilter** filter) const noexcept;
  int GetGuiFilter(WORD station, WORD slot, CString name, CGuiFilter** filter) const noexcept;

  // Shutdown.
  /// Stops and ends the extra front-end entries of station 0, then ends and destroys every module
  /// of the other stations (events released until one release fails) and empties StationMap.
  /// Station records stay the application's; a second call finds nothing to do.
  void Exit() noexcept;

  CTypedPtrMap<CMapWordToPtr, WORD, CStation*> StationMap;

private:
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
