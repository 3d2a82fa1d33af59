// The run-time state of one viewer: its module range, scan position, data, saving options,
// per-slot action counters, display settings record and channel wave information.
#ifndef ZODAVUDAZ_VIEWER_CVIEWERINFO_H
#define ZODAVUDAZ_VIEWER_CVIEWERINFO_H

#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/packets/CStationInfo.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/CWinThread.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/viewer/ViewerProperty.h>

/// A plain value holder. Copies share the data buffer, wave information, record and events: the
/// owner calls DelResource on one of them before destroying it. Fields construction leaves unset
/// in the original class start at 0 here.
class ZODAVUDAZ_EXPORT CViewerInfo {
public:
  /// Per-slot entries and unit entries.
  static constexpr WORD SlotCount = 9;
  static constexpr WORD VUnitCount = 10;

  /// Empty texts, MaxBlockNum 1, WaveBufPoint 2048, StartPoint and EndPoint 0xFFFFFFFF, and three
  /// unnamed auto-reset events, not signalled (null where one cannot be made).
  CViewerInfo() noexcept;

  /// Frees the data buffer, the wave information array and the record, and closes the events;
  /// each is forgotten, so a second call releases nothing.
  void DelResource() noexcept;

  WORD GetCurModule() const noexcept { return CurModule; }
  void SetCurModule(WORD value) noexcept { CurModule = static_cast<BYTE>(value); }
  WORD GetChNum() const noexcept { return ChNum; }
  void SetChNum(WORD value) noexcept { ChNum = static_cast<BYTE>(value); }
  WORD GetCurCh() const noexcept { return CurCh; }
  void SetCurCh(WORD value) noexcept { CurCh = static_cast<BYTE>(value); }
  WORD GetPackedChNum() const noexcept { return PackedChNum; }
  void SetPackedChannelNum(WORD value) noexcept { PackedChNum = static_cast<BYTE>(value); }
  WORD GetWaveInfoNum() const noexcept { return WaveInfoNum; }
  void SetWaveInfoNum(WORD value) noexcept { WaveInfoNum = static_cast<BYTE>(value); }
  WORD GetDispType() const noexcept { return DispType; }
  void SetDispType(WORD value) noexcept { DispType = static_cast<BYTE>(value); }
  WORD GetDispMode() const noexcept { return DispMode; }
  void SetDispMode(WORD value) noexcept { DispMode = static_cast<BYTE>(value); }
  WORD GetDigit() const noexcept { return Digit; }
  void SetDigit(WORD value) noexcept { Digit = static_cast<BYTE>(value); }
  float GetPointPerRaster() const noexcept { return PointPerRaster; }
  void SetPointPerRaster(float value) noexcept { PointPerRaster = value; }
  /// Unit entry index (4 bytes, zero-terminated); for an index of 10 or more a spare entry of empty text.
  char* GetVUnit(WORD index) noexcept;
  /// Copies up to 3 characters of text and a zero into entry index; an index of 10 or more is ignored.
  void SetVUnit(WORD index, const char* text) noexcept;
  DWORD GetWaveBufPoint() const noexcept { return WaveBufPoint; }
  WORD GetTrgSrc() const noexcept { return TrgSrc; }
  void SetTrgSrc(WORD value) noexcept { TrgSrc = static_cast<BYTE>(value); }
  short GetInterpolation() const noexcept { return Interpolation; }
  void SetInterpolation(short value) noexcept { Interpolation = static_cast<signed char>(value); }
  short GetCurBlockNo() const noexcept { return CurBlockNo; }
  void SetCurBlockNo(short value) noexcept { CurBlockNo = value; }
  WORD GetMaxBlockNum() const noexcept { return MaxBlockNum; }
  /// Stores count; a count not above CurBlockNo (as signed numbers) resets CurBlockNo to 0.
  void SetMaxBlockNum(WORD count) noexcept;
  WORD GetPPPointNum() const noexcept { return PPPointNum; }
  void SetPPPointNum(WORD value) noexcept { PPPointNum = value; }
  DWORD GetStartPoint() const noexcept { return StartPoint; }
  void SetStartPoint(DWORD value) noexcept { StartPoint = value; }
  DWORD GetEndPoint() const noexcept { return EndPoint; }
  void SetEndPoint(DWORD value) noexcept { EndPoint = value; }
  WORD GetMultiPPPointNum() const noexcept { return MultiPPPointNum; }
  void SetMultiPPPointNum(WORD value) noexcept { MultiPPPointNum = value; }
  DWORD GetMultiMainStartPoint() const noexcept { return MultiMainStartPoint; }
  void SetMultiMainStartPoint(DWORD value) noexcept { MultiMainStartPoint = value; }
  DWORD GetMultiMainEndPoint() const noexcept { return MultiMainEndPoint; }
  void SetMultiMainEndPoint(DWORD value) noexcept { MultiMainEndPoint = value; }
  DWORD GetMultiZoomStartPoint() const noexcept { return MultiZoomStartPoint; }
  void SetMultiZoomStartPoint(DWORD value) noexcept { MultiZoomStartPoint = value; }
  DWORD GetMultiZoomEndPoint() const noexcept { return MultiZoomEndPoint; }
  void SetMultiZoomEndPoint(DWORD value) noexcept { MultiZoomEndPoint = value; }
  double GetTrgLevel() const noexcept { return TrgLevel; }
  void SetTrgLevel(double value) noexcept { TrgLevel = value; }
  WORD GetChIn1Data() const noexcept { return ChIn1Data; }
  void SetChIn1Data(WORD value) noexcept { ChIn1Data = value; }
  WORD GetParamType() const noexcept { return ParamType; }
  void SetParamType(WORD value) noexcept { ParamType = value; }
  DWORD GetParamNum() const noexcept { return ParamNum; }
  DWORD GetDataNum() const noexcept { return ParamNum; }
  void SetParamNum(DWORD value) noexcept { ParamNum = value; }
  void* GetData() const noexcept { return Data; }
  DWORD GetDataSize() const noexcept { return DataSize; }
  /// The object owns buffer (allocated with the global operator new) from now on; an earlier
  /// buffer stays with the caller.
  void SetData(void* buffer, DWORD size) noexcept {
    Data = buffer;
    DataSize = size;
  }
  void SetScanState(WORD value) noexcept { ScanState = static_cast<BYTE>(value); }
  BOOL IsScanOver() const noexcept { return ScanState == 1; }
  CString GetTargetName() const noexcept { return TargetName; }
  void SetTargetName(const char* name) noexcept { TargetName = name; }
  /// Active channels of slot (taken modulo 16); 0 for a slot of 9 or more.
  WORD GetActiveChNum(WORD slot) const noexcept;
  WORD GetMeasChNum() const noexcept { return MeasChNum; }
  void SetMeasChNum(WORD value) noexcept { MeasChNum = static_cast<BYTE>(value); }
  WORD GetSaveType() const noexcept { return SaveType; }
  void SetSaveType(WORD value) noexcept { SaveType = static_cast<BYTE>(value); }
  WORD GetExcelMacroMode() const noexcept { return ExcelMacroMode; }
  void SetExcelMacroMode(WORD value) noexcept { ExcelMacroMode = static_cast<BYTE>(value); }
  BOOL IsExcelMacro() const noexcept { return ExcelMacroMode != 0; }
  WORD GetCSVTimeMode() const noexcept { return CSVTimeMode; }
  void SetCSVTimeMode(WORD value) noexcept { CSVTimeMode = static_cast<BYTE>(value); }
  BOOL IsCSVTimeMode() const noexcept { return CSVTimeMode != 0; }
  void SetSaveRangeMode(WORD value) noexcept { SaveRangeMode = static_cast<BYTE>(value); }
  BOOL IsSaveRangeMode() const noexcept { return SaveRangeMode != 0; }
  WORD GetSavedChNum() const noexcept { return SavedChNum; }
  void SetSavedChNum(WORD value) noexcept { SavedChNum = value; }
  WORD GetDataBufLen() const noexcept { return DataBufLen; }
  void SetDataBufLen(WORD value) noexcept { DataBufLen = value; }
  WORD GetCurDataLen() const noexcept { return CurDataLen; }
  void SetCurDataLen(WORD value) noexcept { CurDataLen = value; }
  WORD GetDataOffset() const noexcept { return DataOffset; }
  void SetDataOffset(WORD value) noexcept { DataOffset = value; }
  DWORD GetSaveStartPoint() const noexcept { return SaveStartPoint; }
  void SetSaveStartPoint(DWORD value) noexcept { SaveStartPoint = value; }
  DWORD GetSaveEndPoint() const noexcept { return SaveEndPoint; }
  void SetSaveEndPoint(DWORD value) noexcept { SaveEndPoint = value; }
  /// The texts themselves, for change in place.
  CString& GetSaveFileNameA() noexcept { return SaveFileName; }
  void SetSaveFileName(const CString& text) noexcept { SaveFileName = text; }
  CString& GetLoadFileName() noexcept { return LoadFileName; }
  void SetLoadFileName(const CString& text) noexcept { LoadFileName = text; }
  CString& GetComment() noexcept { return Comment; }
  void SetComment(const CString& text) noexcept { Comment = text; }
  CString& GetExcelFileName() noexcept { return ExcelFileName; }
  void SetExcelFileName(const CString& text) noexcept { ExcelFileName = text; }
  CString& GetExcelMacroName() noexcept { return ExcelMacroName; }
  void SetExcelMacroName(const CString& text) noexcept { ExcelMacroName = text; }
  CString& GetStrStartCell() noexcept { return StrStartCell; }
  void SetStrStartCell(const CString& text) noexcept { StrStartCell = text; }
  /// The owned array, allocated with new[]; released by DelResource.
  ::ChWaveInfo* GetChWaveInfo() const noexcept { return ChWaveInfo; }
  void SetChWaveInfo(::ChWaveInfo* array) noexcept { ChWaveInfo = array; }
  /// The owned record, from CreateViewerProperty; released by DelResource.
  ViewerProperty* GetProperty() const noexcept { return Property; }
  void SetProperty(ViewerProperty* record) noexcept { Property = record; }
  BOOL IsLoadViewer() const noexcept { return LoadViewer == 1; }
  void SetLoadViewer() noexcept { LoadViewer = 1; }
  void SetRealTimeViewer() noexcept { LoadViewer = 0; }
  WORD GetId() const noexcept { return Id; }
  void SetId(WORD value) noexcept { Id = value; }
  WORD GetSeqTblNo() const noexcept { return SeqTblNo; }
  void SetSeqTblNo(WORD value) noexcept { SeqTblNo = value; }
  WORD GetStationId() const noexcept { return StationId; }
  void SetStationId(WORD value) noexcept { StationId = value; }
  WORD GetModuleIdFrom() const noexcept { return ModuleIdFrom; }
  WORD GetModuleIdX() const noexcept { return ModuleIdFrom; }
  WORD GetModuleIdTo() const noexcept { return ModuleIdTo; }
  void SetModuleId(WORD module) noexcept { SetModuleId(module, module); }
  void SetModuleId(WORD from, WORD to) noexcept {
    ModuleIdFrom = static_cast<BYTE>(from);
    ModuleIdTo = static_cast<BYTE>(to);
  }
  CStationInfo* GetStationInfo() const noexcept { return StationInfo; }
  void SetStationInfo(CStationInfo* info) noexcept { StationInfo = info; }
  CWinThread* GetViewThread() const noexcept { return ViewThread; }
  void SetViewThread(CWinThread* thread) noexcept { ViewThread = thread; }
  WORD GetMaxViewSize() const noexcept { return MaxViewSize; }
  void SetMaxViewSize(WORD value) noexcept { MaxViewSize = value; }
  WORD GetReqMessage() const noexcept { return ReqMessage; }
  void SetReqMessage(WORD value) noexcept { ReqMessage = value; }
  int GetNoSplitMsg() const noexcept { return NoSplitMsg; }
  void SetNoSplitMsg(int value) noexcept { NoSplitMsg = value; }
  WORD GetActionState() const noexcept { return ActionState; }
  void SetActionState(WORD value) noexcept { ActionState = static_cast<BYTE>(value); }
  DWORD GetActionFileCnt() const noexcept { return ActionFileCnt; }
  void SetActionFileCnt(DWORD value) noexcept { ActionFileCnt = value; }
  DWORD GetActSaveDataSize() const noexcept { return ActSaveDataSize; }
  void SetActSaveDataSize(DWORD value) noexcept { ActSaveDataSize = value; }
  double GetSamplingInterval() const noexcept { return SamplingInterval; }
  void SetSamplingInterval(double value) noexcept { SamplingInterval = value; }
  /// Per-slot counters: a slot of 9 or more reads 0 and writes nothing.
  WORD GetActionState(WORD slot) const noexcept { return slot < SlotCount ? SlotActionState[slot] : 0; }
  void SetActionState(WORD slot, WORD value) noexcept;
  DWORD GetActionFileCnt(WORD slot) const noexcept { return slot < SlotCount ? SlotActionFileCnt[slot] : 0; }
  void SetActionFileCnt(WORD slot, DWORD value) noexcept;
  DWORD GetActSaveDataSize(WORD slot) const noexcept { return slot < SlotCount ? SlotActSaveDataSize[slot] : 0; }
  void SetActSaveDataSize(WORD slot, DWORD value) noexcept;

  /// Scan stepping over the channels of the modules of the range.
  void StartScan(WORD mode) noexcept;
  void SetNextCh() noexcept;
  void SetRun() noexcept;
  void SetStop() noexcept { StopState = 1; }
  BOOL IsRunState() const noexcept { return StopState == 0; }
  /// 1 when the scan is over and the viewer is stopped.
  BOOL IsViewSeqOver() const noexcept { return ScanState == 1 && StopState != 0; }

  WORD GetModuleNum() const noexcept { return static_cast<WORD>(ModuleIdTo - ModuleIdFrom + 1); }
  WORD GetCurModuleId() const noexcept { return static_cast<WORD>(ModuleIdFrom + CurModule); }
  /// The module id and channel the scan has reached.
  void GetCurCh(WORD* module, WORD* channel) const noexcept;
  WORD GetAllChNum() const noexcept { return static_cast<WORD>(GetModuleNum() * ChNum); }
  WORD GetChNumEx() const noexcept { return static_cast<WORD>(ChIn1Data * ChNum); }
  WORD GetAllChNumEx() const noexcept { return static_cast<WORD>(GetModuleNum() * GetChNumEx()); }
  WORD GetLinkCurCh() const noexcept { return static_cast<WORD>(ChNum * CurModule + CurCh); }
  /// ParamNum / PackedChNum; 0 while PackedChNum is 0.
  DWORD GetChDataNum() const noexcept { return PackedChNum == 0 ? 0 : ParamNum / PackedChNum; }
  BOOL IsModuleIn(WORD module) const noexcept { return ModuleIdFrom <= module && module <= ModuleIdTo; }

  /// The three events; null once DelResource has closed them.
  HANDLE GetEvent(int index) const noexcept { return index >= 0 && index < EventCount ? Events[index] : nullptr; }

private:
  static constexpr int EventCount = 3;

  BYTE CurModule = 0;
  BYTE ChNum = 0;
  BYTE CurCh = 0;
  BYTE PackedChNum = 0;
  BYTE WaveInfoNum = 0;
  BYTE DispType = 0;
  BYTE DispMode = 0;
  BYTE Digit = 0;
  float PointPerRaster = 0;
  /// The last entry is the spare that GetVUnit hands out for an index out of range.
  char VUnit[VUnitCount + 1][4] = {};
  DWORD WaveBufPoint = 2048;
  BYTE TrgSrc = 0;
  signed char Interpolation = 0;
  short CurBlockNo = 0;
  WORD MaxBlockNum = 1;
  WORD PPPointNum = 0;
  DWORD StartPoint = 0xFFFFFFFF;
  DWORD EndPoint = 0xFFFFFFFF;
  WORD MultiPPPointNum = 0;
  DWORD MultiMainStartPoint = 0;
  DWORD MultiMainEndPoint = 0;
  DWORD MultiZoomStartPoint = 0;
  DWORD MultiZoomEndPoint = 0;
  double TrgLevel = 0;
  WORD ChIn1Data = 0;
  WORD ParamType = 0;
  DWORD ParamNum = 0;
  void* Data = nullptr;
  DWORD DataSize = 0;
  BYTE ScanState = 0;
  CString TargetName;
  BYTE ActiveChNum[SlotCount] = {};
  BYTE MeasChNum = 0;
  BYTE SaveType = 0;
  BYTE ExcelMacroMode = 0;
  BYTE CSVTimeMode = 0;
  BYTE SaveRangeMode = 0;
  WORD SavedChNum = 0;
  WORD DataBufLen = 0;
  WORD CurDataLen = 0;
  WORD DataOffset = 0;
  DWORD SaveStartPoint = 0;
  DWORD SaveEndPoint = 0;
  CString SaveFileName;
  CString LoadFileName;
  CString Comment;
  CString ExcelFileName;
  CString ExcelMacroName;
  CString StrStartCell;
  ::ChWaveInfo* ChWaveInfo = nullptr;
  ViewerProperty* Property = nullptr;
  int LoadViewer = 0;
  WORD Id = 0;
  WORD SeqTblNo = 0;
  WORD StationId = 0;
  BYTE ModuleIdFrom = 0;
  BYTE ModuleIdTo = 0;
  BYTE StopState = 0;
  CStationInfo* StationInfo = nullptr;
  CWinThread* ViewThread = nullptr;
  WORD MaxViewSize = 0;
  WORD ReqMessage = 0;
  int NoSplitMsg = 0;
  BYTE ActionState = 0;
  DWORD ActionFileCnt = 0;
  /// Carried for the applications and copied; the library never reads them.
  [[maybe_unused]] DWORD Reserved1 = 0;
  DWORD ActSaveDataSize = 0;
  double SamplingInterval = 0;
  BYTE SlotActionState[SlotCount] = {};
  DWORD SlotActionFileCnt[SlotCount] = {};
  DWORD SlotActSaveDataSize[SlotCount] = {};
  [[maybe_unused]] DWORD Reserved2[2] = {};
  [[maybe_unused]] WORD Reserved3[2] = {};
  [[maybe_unused]] DWORD Reserved4 = 0;
  [[maybe_unused]] DWORD Reserved5[4] = {};
  HANDLE Events[EventCount] = {};
  [[maybe_unused]] DWORD Reserved6 = 0;
};

#endif
