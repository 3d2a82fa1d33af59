#include <zodavudaz/database/CModule.h>

#include <zodavudaz/packets/siblings/CFeModule.h>

namespace {
template <typename RecordT>
void DeleteFiledRecords(CTypedPtrMap<CMapWordToPtr, WORD, RecordT*>& map) noexcept {
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    WORD key = 0;
    RecordT* record = nullptr;
    map.GetNextAssoc(position, key, record);
    delete record;
  }
  map.RemoveAll();
}

void DeleteFiledRecords(CMapStringToOb& map) noexcept {
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    CString key;
    CObject* record = nullptr;
    map.GetNextAssoc(position, key, record);
    delete record;
  }
  map.RemoveAll();
}
} // namespace

CModule::CModule() noexcept = default;

// Records still filed when the module goes would otherwise be lost with the maps.
CModule::~CModule() {
  ReleaseGuiFilters();
  ReleaseUsedModules();
}

void CModule::ReleaseScaleTable() noexcept {
  delete[] ScaleTable;
  ScaleTable = nullptr;
}

// Cleared so that a record filed again, or reused, holds no ended frontend.
void CModule::EndFrontend() noexcept {
  if (Frontend == nullptr)
    return;
  Frontend->Destroy();
  delete Frontend;
  Frontend = nullptr;
}

void CModule::ReleaseUsedModules() noexcept { DeleteFiledRecords(UsedModuleMap); }

void CModule::ReleaseGuiFilters() noexcept {
  DeleteFiledRecords(NamedFilterMap);
  DeleteFiledRecords(FilterMap);
}
