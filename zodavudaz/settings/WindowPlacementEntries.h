// The exported readers and writers of stored window placements ("WindowPos" entries).
#ifndef ZODAVUDAZ_SETTINGS_WINDOWPLACEMENTENTRIES_H
#define ZODAVUDAZ_SETTINGS_WINDOWPLACEMENTENTRIES_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/platform/WindowPlacement.h>

/// The main window's placement from section "Settings" of the default file: 1 and the record
/// (length 44), or 0 with the record untouched when no complete placement is stored.
/// GetLastProfileCause says why the file gave none, and None where "WindowPos" was read but is not
/// ten numbers. The same holds for every reader and writer here.
ZODAVUDAZ_EXPORT int ReadWindowPlacement(WINDOWPLACEMENT* placement) noexcept;
/// ReadWindowPlacement from the file fileName.
ZODAVUDAZ_EXPORT int ReadWindowPlacementFile(WINDOWPLACEMENT* placement, CString fileName) noexcept;
/// Stores the placement's ten fields (not its length) in section "Settings" of fileName; a failed
/// write is not reported, but GetLastProfileCause says why.
ZODAVUDAZ_EXPORT void WriteWindowPlacement(const WINDOWPLACEMENT* placement, CString fileName) noexcept;

/// A module window's placement from the station's module section of the default file; slot -9
/// names the station's own window. 0, record untouched, also for a station the database lacks
/// (cause MissingSection).
ZODAVUDAZ_EXPORT int ReadWindowPlacementEx(WINDOWPLACEMENT* placement, WORD station, int slot) noexcept;
/// ReadWindowPlacementEx from the file fileName.
ZODAVUDAZ_EXPORT int ReadWindowPlacementExFile(WINDOWPLACEMENT* placement, WORD station, int slot,
                                               CString fileName) noexcept;
/// Stores a module window's placement in the module section of fileName; nothing for a station
/// the database lacks.
ZODAVUDAZ_EXPORT void WriteWindowPlacementEx(const WINDOWPLACEMENT* placement, WORD station, int slot,
                                             CString fileName) noexcept;

/// Reads the stored form, ten comma-separated numbers; true and the record with length 44 when
/// all ten convert (text after them is ignored), false with the record untouched otherwise.
ZODAVUDAZ_EXPORT bool ScanWindowPlacement(const CString& text, WINDOWPLACEMENT& placement) noexcept;
/// The stored form of the placement's fields after its length.
ZODAVUDAZ_EXPORT CString FormatWindowPlacement(const WINDOWPLACEMENT& placement) noexcept;

#endif
