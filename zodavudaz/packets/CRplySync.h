// The reply-synchronisation record that travels with a query and receives or routes its reply.
#ifndef ZODAVUDAZ_PACKETS_CRPLYSYNC_H
#define ZODAVUDAZ_PACKETS_CRPLYSYNC_H

#include <zodavudaz/packets/ThreadAddr.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CWinThread.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

/// Made by the communication library and by the applications; a module packet names it in its
/// thread address through ThreadAddrOf (on 64-bit a handle that Invalidate and the destructor give
/// back). Valid while its marker holds ValidMarker.
class ZODAVUDAZ_EXPORT CRplySync {
public:
  static constexpr DWORD ValidMarker = 0x13572468;
  static constexpr DWORD DefaultTimeOut = 10000;
  /// Sync modes.
  static constexpr WORD SyncModeNone = 0;
  static constexpr WORD SyncModeSynchronous = 1;
  static constexpr WORD SyncModeAsynchronous = 2;

  /// A valid record: time-out 10000, synchronous, error messages shown, no thread, no station.
  CRplySync() noexcept;

  void SetTimeOut() noexcept { TimeOut = DefaultTimeOut; }
  void SetTimeOut(DWORD timeOut) noexcept { TimeOut = timeOut; }
  void SetSignalMode(int mode) noexcept { SignalMode = mode; }

  void SetSyncMode() noexcept { SyncMode = SyncModeSynchronous; }
  void SetSyncMode(WORD mode) noexcept { SyncMode = mode; }
  void SetAsyncMode() noexcept { SyncMode = SyncModeAsynchronous; }
  void SetNoneSyncMode() noexcept { SyncMode = SyncModeNone; }
  WORD GetSyncMode() const noexcept { return SyncMode; }
  BOOL IsSyncMode() const noexcept { return SyncMode == SyncModeSynchronous; }
  BOOL IsAsyncMode() const noexcept { return SyncMode == SyncModeAsynchronous; }

  void SetCommSyncMode(WORD mode) noexcept { CommSyncMode = mode; }
  WORD GetCommSyncMode() const noexcept { return CommSyncMode; }
  /// Message number used in asynchronous mode.
  void SetAsyncMessage(DWORD message) noexcept { AsyncMessage = message; }
  DWORD GetAsyncMessage() const noexcept { return AsyncMessage; }
  void SetReleaseMode(int mode) noexcept { ReleaseMode = mode; }
  void SetErrMsgMode(int mode) noexcept { ErrMsgMode = mode; }
  void SetOptimizeBufMode(int mode) noexcept { OptimizeBufMode = mode; }

  void SetThread(CWinThread* thread) noexcept { Thread = thread; }
  CWinThread* GetThread() const noexcept { return Thread; }
  void SetRplyStationAddr(LONG address) noexcept { RplyStationAddr = address; }
  LONG GetRplyStationAddr() const noexcept { return RplyStationAddr; }
  void SetStationId(DWORD id) noexcept { StationId = id; }
  /// The low 16 bits of the stored station id.
  WORD GetStationId() const noexcept { return static_cast<WORD>(StationId); }
  void SetModuleId(WORD id) noexcept { ModuleId = id; }
  WORD GetModuleId() const noexcept { return ModuleId; }
  void SetCntlId(WORD cntl) noexcept { CntlId = cntl; }
  WORD GetCntlId() const noexcept { return CntlId; }
  /// Control id expected in the reply.
  void SetRplyCntlId(WORD cntl) noexcept { RplyCntlId = cntl; }
  WORD GetRplyCntlId() const noexcept { return RplyCntlId; }
  void SetProxyStationId(WORD id) noexcept { ProxyStationId = id; }
  WORD GetProxyStationId() const noexcept { return static_cast<WORD>(ProxyStationId); }

  BOOL IsValid() const noexcept { return Marker == ValidMarker; }
  /// Marks the record invalid; a thread address issued for it no longer names it.
  void Invalidate() noexcept {
    Marker = 0;
    Slot.Release();
  }

private:
  friend struct CommLayerAccess;
  friend DWORD ThreadAddrOf(CRplySync* sync) noexcept;

  // Compile-time only: the communication library and the applications share this layout.
  static void CheckLayout() noexcept {
    static_assert(sizeof(CRplySync) == PerBuild(56, 72));
    static_assert(offsetof(CRplySync, SignalMode) == 4);
    static_assert(offsetof(CRplySync, SyncMode) == 8);
    static_assert(offsetof(CRplySync, CommSyncMode) == 10);
    static_assert(offsetof(CRplySync, AsyncMessage) == 12);
    static_assert(offsetof(CRplySync, ReleaseMode) == 16);
    static_assert(offsetof(CRplySync, ErrMsgMode) == 20);
    static_assert(offsetof(CRplySync, OptimizeBufMode) == 24);
    static_assert(offsetof(CRplySync, Thread) == PerBuild(28, 32));
    static_assert(offsetof(CRplySync, RplyStationAddr) == PerBuild(32, 40));
    static_assert(offsetof(CRplySync, StationId) == PerBuild(36, 44));
    static_assert(offsetof(CRplySync, ModuleId) == PerBuild(40, 48));
    static_assert(offsetof(CRplySync, CntlId) == PerBuild(42, 50));
    static_assert(offsetof(CRplySync, RplyCntlId) == PerBuild(44, 52));
    static_assert(offsetof(CRplySync, ProxyStationId) == PerBuild(48, 56));
    static_assert(offsetof(CRplySync, Marker) == PerBuild(52, 60));
    static_assert(Is32BitBuild || offsetof(CRplySync, Slot) == 64);
  }

  DWORD TimeOut;
  int SignalMode;
  WORD SyncMode;
  WORD CommSyncMode;
  DWORD AsyncMessage;
  int ReleaseMode;
  int ErrMsgMode;
  int OptimizeBufMode;
  CWinThread* Thread;
  LONG RplyStationAddr;
  DWORD StationId;
  WORD ModuleId;
  WORD CntlId;
  WORD RplyCntlId;
  DWORD ProxyStationId;
  DWORD Marker;
  // Takes no room in the 32-bit build.
  [[no_unique_address]] ThreadAddrHandle<Is32BitBuild> Slot;
};

#endif
