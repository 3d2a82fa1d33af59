// Names of the library's settings file and of the stations' and modules' sections.
#ifndef ZODAVUDAZ_SETTINGS_SETTINGSNAMES_H
#define ZODAVUDAZ_SETTINGS_SETTINGSNAMES_H

#include <zodavudaz/platform/CString.h>

/// "Station" followed by the station's name.
CString StationSectionName(const CString& stationName) noexcept;
/// "Station", the station's name, "-Module" and slot in decimal (-9 gives "-Module-9").
CString ModuleSectionName(const CString& stationName, int slot) noexcept;
/// The settings folder of the process-wide database followed by "\\Mardel.tmp".
CString GetDefaultTmpFileName() noexcept;

#endif
