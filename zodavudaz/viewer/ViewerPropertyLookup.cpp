#include <zodavudaz/viewer/ViewerPropertyLookup.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/SettingsNames.h>
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <cstring>

namespace {
// The module's stored record text, or empty text when none is stored for the product now in the slot.
CString AcceptedViewerText(WORD stationId, WORD slot, const CString& section, const CString& fileName) {
  CString viewer;
  CString product;
  GetProfileStringEx(fileName, section, "Viewer", viewer);
  GetProfileStringEx(fileName, section, "Product", product);
  CModule* module = nullptr;
  if (!GetDataBase()->GetModuleInf(stationId, slot, &module) || viewer.IsEmpty())
    return CString();
  // ProductName is a fixed field: bound the name by its width.
  CString productName(module->ProductName, static_cast<int>(strnlen(module->ProductName, sizeof module->ProductName)));
  return product.Find(productName) >= 0 ? viewer : CString();
}

void ReadGroups(ViewerProperty* record, const CString& section, const CString& fileName) {
  const WORD groups = GetGrNum(record);
  for (WORD k = 1; k <= groups; ++k) {
    CString key;
    key.Format("Group%d", k);
    CString text;
    GetProfileStringEx(fileName, section, key, text);
    Ascii2ViewerPropertyGr(record, text);
  }
}

// Without groups the file is always the settings folder's one.
int LookUp(WORD stationId, WORD slot, ViewerProperty** record, CString fileName, bool withGroups) {
  // A null out-pointer is answered as an unknown station rather than written through.
  if (record == nullptr)
    return 0;
  *record = nullptr;
  CStation* station = nullptr;
  if (!GetDataBase()->GetStationInf(stationId, &station))
    return 0;
  const CString section = ModuleSectionName(station->Name, slot);
  if (!withGroups)
    fileName = GetDataBase()->GetCurrentPath() + "\\Mardel.ini";
  CString viewer = AcceptedViewerText(stationId, slot, section, fileName);
  if (viewer.IsEmpty())
    return 0;
  *record = Ascii2ViewerProperty(viewer);
  if (withGroups && *record != nullptr)
    ReadGroups(*record, section, fileName);
  return 1;
}
} // namespace

int GetViewerPropertyGui(WORD stationId, WORD slot, ViewerProperty** record) noexcept {
  return LookUp(stationId, slot, record, CString(), false);
}

int GetViewerPropertyGuiEx(WORD stationId, WORD slot, ViewerProperty** record, CString fileName) noexcept {
  return LookUp(stationId, slot, record, fileName, true);
}
