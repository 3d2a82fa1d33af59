// The communication manager: the process's identity and mode settings and its station look-ups.
#ifndef ZODAVUDAZ_PACKETS_CMANAGER_H
#define ZODAVUDAZ_PACKETS_CMANAGER_H

#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/packets/CStationInfo.h>
#include <zodavudaz/packets/CZoThread.h>
#include <zodavudaz/packets/MessageWords.h>
#include <zodavudaz/packets/siblings/CReceiveThreadInfo.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

class Communication;
class CNetThread;

/// One per process (GetMgr), filled by the communication library; the fields are those read
/// here, in order.
class ZODAVUDAZ_EXPORT CManager {
public:
  CManager() noexcept = default;
  CManager(const CManager&) = delete;
  CManager& operator=(const CManager&) = delete;

  HWND GetMainWnd() const noexcept { return MainWnd; }
  HWND GetEventWnd() const noexcept { return EventWnd; }
  void SetEventWnd(HWND window) noexcept { EventWnd = window; }
  Communication* GetComm() const noexcept { return Comm; }
  DWORD GetModulePacketBodyMaxSize() const noexcept { return ModulePacketBodyMaxSize; }
  WORD GetMaxStationNum() const noexcept { return MaxStationNum; }
  WORD GetModPacketVersion() const noexcept { return ModPacketVersion; }
  BOOL InitOK() const noexcept { return InitOk; }
  void SetExitMode() noexcept { ExitMode = 1; }
  BOOL IsExitMode() const noexcept { return ExitMode; }
  BOOL IsWindowsNT() const noexcept { return WindowsNT; }
  BOOL IsController() const noexcept { return Controller; }
  BOOL IsMultiClient() const noexcept { return MultiClient; }
  BOOL IsOverRouter() const noexcept { return OverRouter; }
  void SetDebugMode() noexcept { Debug = 1; }
  BOOL IsDebug() const noexcept { return Debug; }
  DWORD GetWaveBufPoint() const noexcept { return WaveBufPoint; }
  WORD GetMathChNum() const noexcept { return MathChNum; }
  BOOL IsAPIEnv() const noexcept { return APIEnv; }
  BOOL IsMoteOpenerEnv() const noexcept { return APIEnv == 0; }

  LONG GetMyAddress() const noexcept { return MyAddress; }
  void SetMyAddress(LONG address) noexcept { MyAddress = address; }
  WORD GetMyStationId() const noexcept { return MyStationId; }
  void SetMyStationId(WORD id) noexcept { MyStationId = id; }
  WORD GetMyGroupId() const noexcept { return MyGroupId; }
  void SetMyGroupId(WORD id) noexcept { MyGroupId = id; }
  WORD GetMyNetId() const noexcept { return MyNetId; }
  void SetMyNetId(WORD id) noexcept { MyNetId = id; }
  WORD GetActiveGroupId() const noexcept { return ActiveGroupId; }
  void SetActiveGroupId(WORD id) noexcept { ActiveGroupId = id; }
  /// My net id * 32 + my group id.
  WORD GetMyNetGroupId() const noexcept { return static_cast<WORD>(MyNetId * 32 + MyGroupId); }
  /// Station id in bits 0 to 7, group id in bits 8 to 12, net id in bits 13 to 15.
  WORD GetMyId() const noexcept { return static_cast<WORD>(GetMyNetGroupId() * 256 + MyStationId); }

  WORD GetCommType() const noexcept { return CommType; }
  void SetSysEventMask(DWORD mask) noexcept { SysEventMask = mask; }
  DWORD GetSysEventMask() const noexcept { return SysEventMask; }
  CReceiveThreadInfo* GetRcvThreadInfo() noexcept { return &RcvThreadInfo; }
  /// Windows primary language id; 17 is Japanese.
  DWORD GetLanguage() const noexcept { return Language; }
  CZoThread* GetFileThread() const noexcept { return FileThread; }
  CNetThread* GetNetThread() const noexcept { return NetThread; }
  CZoThread* GetPacketThread() const noexcept { return PacketThread; }

  /// The station address of station id; -1 for a station the communication layer does not know.
  LONG GetStationAddress(WORD id) noexcept {
    CStationInfo* station = GetStationInfo(id);
    return station == nullptr ? -1 : station->GetStationAddress();
  }
  /// The network address of station id; -1 for a station the communication layer does not know.
  LONG GetNetStationAddress(WORD id) noexcept {
    CStationInfo* station = GetStationInfo(id);
    return station == nullptr ? -1 : station->GetNetAddress();
  }
  /// The type byte of station id; 0xFF for a station the communication layer does not know.
  WORD GetStationType(WORD id) noexcept {
    CStationInfo* station = GetStationInfo(id);
    return station == nullptr ? WORD{0xFF} : station->GetType();
  }

  /// The reply record shared by the queries of this library.
  CRplySync* GetRplySync() noexcept;
  /// The record of station id, or null when the communication layer does not know it.
  CStationInfo* GetStationInfo(WORD id) noexcept;
  /// Posts message with its words to the manager's sequence thread, or to its GUI thread.
  /// PostedOk (0) when posted: a record passed in a word then belongs to the receiver. Any other
  /// result: nothing was posted and the caller still owns what it meant to hand over.
  WORD PostSeqThread(DWORD message, MsgWParam wParam, MsgLParam lParam) noexcept;
  WORD PostGUIThread(DWORD message, MsgWParam wParam, MsgLParam lParam) noexcept;

private:
  friend struct CommLayerAccess;

  // Compile-time only: the communication library shares this layout.
  static void CheckLayout() noexcept {
    static_assert(sizeof(CManager) == PerBuild(128, 152));
    static_assert(offsetof(CManager, ModulePacketBodyMaxSize) == PerBuild(12, 24));
    static_assert(offsetof(CManager, MaxStationNum) == PerBuild(16, 28));
    static_assert(offsetof(CManager, InitOk) == PerBuild(20, 32));
    static_assert(offsetof(CManager, Debug) == PerBuild(44, 56));
    static_assert(offsetof(CManager, WaveBufPoint) == PerBuild(48, 60));
    static_assert(offsetof(CManager, MathChNum) == PerBuild(52, 64));
    static_assert(offsetof(CManager, APIEnv) == PerBuild(56, 68));
    static_assert(offsetof(CManager, MyAddress) == PerBuild(60, 72));
    static_assert(offsetof(CManager, MyStationId) == PerBuild(64, 76));
    static_assert(offsetof(CManager, ActiveGroupId) == PerBuild(70, 82));
    static_assert(offsetof(CManager, CommType) == PerBuild(72, 84));
    static_assert(offsetof(CManager, SysEventMask) == PerBuild(76, 88));
    static_assert(offsetof(CManager, RcvThreadInfo) == PerBuild(80, 92));
    static_assert(offsetof(CManager, Language) == PerBuild(112, 124));
    static_assert(offsetof(CManager, PacketThread) == PerBuild(124, 144));
  }

  HWND MainWnd = nullptr;
  HWND EventWnd = nullptr;
  Communication* Comm = nullptr;
  DWORD ModulePacketBodyMaxSize = 0;
  WORD MaxStationNum = 0;
  WORD ModPacketVersion = 0;
  BOOL InitOk = 0;
  BOOL ExitMode = 0;
  BOOL WindowsNT = 0;
  BOOL Controller = 0;
  BOOL MultiClient = 0;
  BOOL OverRouter = 0;
  BOOL Debug = 0;
  DWORD WaveBufPoint = 0;
  WORD MathChNum = 0;
  BOOL APIEnv = 0;
  LONG MyAddress = -1;
  WORD MyStationId = 0;
  WORD MyGroupId = 0;
  WORD MyNetId = 0;
  WORD ActiveGroupId = 0;
  WORD CommType = 0;
  DWORD SysEventMask = 0;
  CReceiveThreadInfo RcvThreadInfo = {};
  DWORD Language = 0;
  CZoThread* FileThread = nullptr;
  CNetThread* NetThread = nullptr;
  CZoThread* PacketThread = nullptr;
};

#endif
