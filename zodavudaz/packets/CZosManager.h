// The sequence manager: the sequence library's threads, viewer list and event flags.
#ifndef ZODAVUDAZ_PACKETS_CZOSMANAGER_H
#define ZODAVUDAZ_PACKETS_CZOSMANAGER_H

#include <zodavudaz/packets/CZoThread.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CPtrList.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

struct _SeqMsgParam;

/// One per process (ZosGetMgr), filled by the sequence library.
class ZODAVUDAZ_EXPORT CZosManager {
public:
  CZosManager() noexcept = default;
  CZosManager(const CZosManager&) = delete;
  CZosManager& operator=(const CZosManager&) = delete;

  CZoThread* GetSeqThread() const noexcept { return SeqThread; }
  void SetSeqThread(CZoThread* thread) noexcept { SeqThread = thread; }
  CZoThread* GetFileThread() const noexcept { return FileThread; }
  void SetFileThread(CZoThread* thread) noexcept { FileThread = thread; }
  /// The list of viewer properties the sequence library keeps.
  CPtrList* GetViewerProperty() noexcept { return &ViewerPropertyList; }
  BOOL IsPowerEvent() const noexcept { return PowerEvent != 0; }
  BOOL IsTrigEvent() const noexcept { return TrigEvent != 0; }
  BOOL IsFileEvent() const noexcept { return FileEvent != 0; }
  /// Read atomically: the sequence library's thread sets and clears the flag (the builtin, since
  /// applications may include this header from C++17).
  BOOL IsMeasEvent() const noexcept { return __atomic_load_n(&MeasEvent, __ATOMIC_ACQUIRE) != 0; }
  BOOL IsErrorEvent() const noexcept { return ErrorEvent != 0; }
  WORD GetViewerNum() const noexcept { return ViewerNum; }

  /// Nonzero while the sequence of (station, frontend) runs.
  BOOL IsSeqRun(WORD station, WORD frontend) noexcept;
  /// Fills param for the module (station, slot); 0 on success, otherwise param may be partly
  /// filled and stays the caller's.
  WORD GetSeqMsgParam(WORD station, WORD slot, _SeqMsgParam* param) noexcept;

private:
  friend struct SeqLayerAccess;

  // Compile-time only: the sequence library shares this layout.
  static void CheckLayout() noexcept {
    static_assert(offsetof(CZosManager, FileThread) == PerBuild(4, 8));
    static_assert(offsetof(CZosManager, ViewerPropertyList) == PerBuild(8, 16));
    static_assert(offsetof(CZosManager, PowerEvent) == PerBuild(8 + sizeof(CPtrList), 64));
    static_assert(offsetof(CZosManager, ErrorEvent) == offsetof(CZosManager, PowerEvent) + 16);
    static_assert(offsetof(CZosManager, ViewerNum) == offsetof(CZosManager, PowerEvent) + 20);
    static_assert(sizeof(CZosManager) == offsetof(CZosManager, PowerEvent) + 24);
  }

  CZoThread* SeqThread = nullptr;
  CZoThread* FileThread = nullptr;
  CPtrList ViewerPropertyList{10};
  int PowerEvent = 0;
  int TrigEvent = 0;
  int FileEvent = 0;
  int MeasEvent = 0;
  int ErrorEvent = 0;
  WORD ViewerNum = 0;
};

#endif
