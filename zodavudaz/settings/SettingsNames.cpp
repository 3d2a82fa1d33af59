#include <zodavudaz/settings/SettingsNames.h>

#include <zodavudaz/entry/LibraryEntry.h>

// Formatted into a string object, so that no station name is too long.
CString StationSectionName(const CString& stationName) noexcept {
  CString name;
  name.Format("Station%s", static_cast<LPCTSTR>(stationName));
  return name;
}

CString ModuleSectionName(const CString& stationName, int slot) noexcept {
  CString name;
  name.Format("Station%s-Module%d", static_cast<LPCTSTR>(stationName), slot);
  return name;
}

CString GetDefaultTmpFileName() noexcept { return GetDataBase()->GetCurrentPath() + "\\Mardel.tmp"; }
