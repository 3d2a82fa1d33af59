#include <zodavudaz/control/ControlRequests.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

namespace {
constexpr WORD ExecGroup = 0;
constexpr WORD QueryGroup = 10;
constexpr WORD ExecOption = 4;
constexpr WORD NoDataType = 0xFF;

DWORD CGClass = 0;

CModule* FindModule(WORD station, WORD slot) {
  CModule* module = nullptr;
  GetDataBase()->GetModuleInf(station, slot, &module);
  return module;
}

// Null out-pointers are not written.
void Store(DWORD* out, DWORD value) {
  if (out != nullptr)
    *out = value;
}

WORD StoreFromModule(WORD station, WORD slot, DWORD* value, DWORD (*field)(const CModule&)) {
  Store(value, 0);
  const CModule* module = FindModule(station, slot);
  if (module == nullptr)
    return ZocNoModule;
  Store(value, field(*module));
  return 0;
}
} // namespace

WORD ZocGetProductId(WORD station, WORD slot, DWORD* productId) noexcept {
  return StoreFromModule(station, slot, productId, [](const CModule& module) { return module.ProductWord >> 8; });
}

CFRONTEND* ZocGetFrontEnd1(WORD station, WORD slot) noexcept { return GetDataBase()->GetFrontendModule(station, slot); }

CFRONTEND* ZocGetFrontEnd2(LONG address, WORD slot) noexcept {
  WORD station = 0;
  return GetWink()->GetStationId(address, &station) == 0 ? ZocGetFrontEnd1(station, slot) : nullptr;
}

WORD ZocMoteSyncExec(WORD station, WORD slot, WORD cntl) noexcept {
  CFRONTEND* frontend = ZocGetFrontEnd1(station, slot);
  if (frontend == nullptr)
    // No data is said as type 0xFF and count 0: one byte-sized element at null would be read.
    return MoSyncExec(station, slot, cntl, nullptr, NoDataType, 0);
  return frontend->Query(ExecGroup, cntl, nullptr, ExecOption);
}

WORD ZocMoteSyncExec2(WORD station, WORD slot, WORD cntl, void* data, WORD type, DWORD count) noexcept {
  CFRONTEND* frontend = ZocGetFrontEnd1(station, slot);
  if (frontend == nullptr)
    return MoSyncExec(station, slot, cntl, data, type, count);
  return frontend->Query(ExecGroup, cntl, data, type, count, nullptr, ExecOption);
}

WORD ZocMoteSettingQuery(WORD station, WORD slot, WORD cntl, void* out, WORD* outType, DWORD* outCount,
                         DWORD capacity) noexcept {
  CRplySync* sync = SetRplySyncForQuery(station, slot, cntl);
  CFRONTEND* frontend = ZocGetFrontEnd1(station, slot);
  if (frontend == nullptr)
    return MoSettingQuery(station, slot, cntl, out, outType, outCount, capacity);
  return frontend->Query(QueryGroup, cntl, out, outType, outCount, capacity, sync, 0);
}

WORD ZocGetFileNumInSaveMode(WORD station, WORD slot, DWORD* value) noexcept {
  return StoreFromModule(station, slot, value,
                         [](const CModule& module) { return static_cast<DWORD>(module.ActOnTrigInfo.FileNum); });
}

WORD ZocGetFileStartNoInSaveMode(WORD station, WORD slot, DWORD* value) noexcept {
  return StoreFromModule(station, slot, value,
                         [](const CModule& module) { return static_cast<DWORD>(module.ActOnTrigInfo.FileStartNo); });
}

void ZoSetCGClass(DWORD value) noexcept { CGClass = value; }

DWORD ZoGetCGClass() noexcept { return CGClass; }
