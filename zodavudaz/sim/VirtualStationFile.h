// Virtual stations from a description file: the stations, slots, modules and waveforms of a
// simulated system that an application files into its database instead of real ones.
#ifndef ZODAVUDAZ_SIM_VIRTUALSTATIONFILE_H
#define ZODAVUDAZ_SIM_VIRTUALSTATIONFILE_H

#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// The environment variable that names the description file when no file is given.
constexpr const char* VirtualStationsVariable = "ZDZ_VIRTUAL_STATIONS";

/// Reads the description fileName (the file ZDZ_VIRTUAL_STATIONS names when fileName is null),
/// makes a simulated module with a frontend for each described module and files a CStation with
/// its CModule records (AcqChannel and DataCntlId set) for each described station into database.
/// 1 on success; 0, with nothing made or filed and message saying "FILE [SECTION] KEY: fault" (and
/// the line, for a fault of a line), when the file cannot be read, a key is missing, unknown,
/// repeated or malformed, a section is repeated or read by no listed station or module, a slot is
/// beyond the model's, or a station id is already filed. The format is in docs/virtual-stations.md.
ZODAVUDAZ_EXPORT int LoadVirtualStations(LPCTSTR fileName, CGUIDatabase& database, CString& message) noexcept;

/// Deletes the stations that LoadVirtualStations filed, after database.Exit() has destroyed their
/// modules, and removes them from database.StationMap; nothing for stations it did not make.
ZODAVUDAZ_EXPORT void ReleaseVirtualStations(CGUIDatabase& database) noexcept;

#endif
