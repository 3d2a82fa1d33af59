#include <zodavudaz/viewer/CViewerInfo.h>

#include <zodavudaz/platform/Events.h>

#include <cstring>

CViewerInfo::CViewerInfo() noexcept {
  for (HANDLE& event : Events)
    event = CreateEventA(nullptr, 0, 0, nullptr);
}

void CViewerInfo::DelResource() noexcept {
  ::operator delete(Data);
  Data = nullptr;
  delete[] ChWaveInfo;
  ChWaveInfo = nullptr;
  ReleaseViewerProperty(Property);
  Property = nullptr;
  for (HANDLE& event : Events) {
    if (event != nullptr)
      CloseHandle(event);
    event = nullptr;
  }
}

char* CViewerInfo::GetVUnit(WORD index) noexcept {
  if (index < VUnitCount)
    return VUnit[index];
  std::memset(VUnit[VUnitCount], 0, sizeof VUnit[VUnitCount]);
  return VUnit[VUnitCount];
}

void CViewerInfo::SetVUnit(WORD index, const char* text) noexcept {
  if (index >= VUnitCount)
    return;
  const size_t length = text == nullptr ? 0 : strnlen(text, sizeof VUnit[index] - 1);
  std::memset(VUnit[index], 0, sizeof VUnit[index]);
  if (length != 0)
    std::memcpy(VUnit[index], text, length);
}

void CViewerInfo::SetMaxBlockNum(WORD count) noexcept {
  MaxBlockNum = count;
  if (static_cast<short>(count) <= CurBlockNo)
    CurBlockNo = 0;
}

WORD CViewerInfo::GetActiveChNum(WORD slot) const noexcept {
  const WORD entry = slot % 16;
  return entry < SlotCount ? ActiveChNum[entry] : 0;
}

void CViewerInfo::SetActionState(WORD slot, WORD value) noexcept {
  if (slot < SlotCount)
    SlotActionState[slot] = static_cast<BYTE>(value);
}

void CViewerInfo::SetActionFileCnt(WORD slot, DWORD value) noexcept {
  if (slot < SlotCount)
    SlotActionFileCnt[slot] = value;
}

void CViewerInfo::SetActSaveDataSize(WORD slot, DWORD value) noexcept {
  if (slot < SlotCount)
    SlotActSaveDataSize[slot] = value;
}

void CViewerInfo::StartScan(WORD /*mode*/) noexcept {
  CurModule = 0;
  CurCh = 0;
  ScanState = 0;
}

void CViewerInfo::SetNextCh() noexcept {
  ++CurCh;
  if (CurCh < ChNum)
    return;
  CurCh = 0;
  ++CurModule;
  if (CurModule >= GetModuleNum()) {
    CurModule = 0;
    ScanState = 1;
  }
}

void CViewerInfo::SetRun() noexcept {
  StopState = 0;
  StartScan(0);
}

void CViewerInfo::GetCurCh(WORD* module, WORD* channel) const noexcept {
  if (module != nullptr)
    *module = GetCurModuleId();
  if (channel != nullptr)
    *channel = CurCh;
}
