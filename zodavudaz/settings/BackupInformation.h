// The exported readers of stored back-up information of modules and stations.
#ifndef ZODAVUDAZ_SETTINGS_BACKUPINFORMATION_H
#define ZODAVUDAZ_SETTINGS_BACKUPINFORMATION_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// The "ModuleInf" entry of a module section of the default file, accepted only for a module the
/// database knows, a non-empty entry and a "Product" entry that contains the module's product
/// name: 1 and the entry, else 0 and empty text. GetLastProfileCause says why (MissingSection for
/// a station or module the database lacks; None where the entry was read but not accepted).
ZODAVUDAZ_EXPORT int GetModuleBackupInf(WORD station, WORD slot, CString& info) noexcept;
/// GetModuleBackupInf from the file fileName.
ZODAVUDAZ_EXPORT int GetModuleBackupInfFile(WORD station, WORD slot, CString& info, CString fileName) noexcept;
/// The "Database" entry of the station's section of fileName, empty text when there is none or
/// the database lacks the station; always 1, so GetLastProfileCause tells whether the entry was
/// read (None) or why not.
ZODAVUDAZ_EXPORT int GetStationBackupInf(WORD station, CString& info, CString fileName) noexcept;

#endif
