// The sequence library's record of one measurement sequence, as far as it is read here.
#ifndef ZODAVUDAZ_PACKETS_CSEQUENCE_H
#define ZODAVUDAZ_PACKETS_CSEQUENCE_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

/// Filled by the sequence library; copies are deep.
class ZODAVUDAZ_EXPORT CSequence {
public:
  CSequence() noexcept = default;
  CSequence(const CSequence&) noexcept = default;
  CSequence& operator=(const CSequence&) noexcept = default;

  WORD GetWaveMode() const noexcept { return WaveMode; }
  DWORD GetMainWnd() const noexcept { return MainWnd; }
  DWORD GetZoomWnd() const noexcept { return ZoomWnd; }
  /// A copy of the setup path.
  CString GetSetupPath() const noexcept { return SetupPath; }
  void SetSetupPath(CString path) noexcept { SetupPath = path; }

private:
  friend struct SeqLayerAccess;

  // Compile-time only: the sequence library shares this layout.
  static void CheckLayout() noexcept {
    static_assert(sizeof(CSequence) == PerBuild(16, 24));
    static_assert(offsetof(CSequence, MainWnd) == 4);
    static_assert(offsetof(CSequence, ZoomWnd) == 8);
    static_assert(offsetof(CSequence, SetupPath) == PerBuild(12, 16));
  }

  BYTE WaveMode = 0;
  DWORD MainWnd = 0;
  DWORD ZoomWnd = 0;
  CString SetupPath;
};

#endif
