// The control functions that look a module up or pass a request to it: product id, frontend,
// executions and queries, save-mode file numbers, and the process-wide CG class.
#ifndef ZODAVUDAZ_CONTROL_CONTROLREQUESTS_H
#define ZODAVUDAZ_CONTROL_CONTROLREQUESTS_H

#include <zodavudaz/packets/siblings/CFRONTEND.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Result of the control functions for a module the database does not hold.
constexpr WORD ZocNoModule = 0xFFFF;

/// Stores the module's ProductWord shifted right by 8 and returns 0; 0xFFFF and 0 for an unknown module.
ZODAVUDAZ_EXPORT WORD ZocGetProductId(WORD station, WORD slot, DWORD* productId) noexcept;

/// The module's frontend, or null for an unknown module or one without a frontend.
ZODAVUDAZ_EXPORT CFRONTEND* ZocGetFrontEnd1(WORD station, WORD slot) noexcept;
/// The frontend of slot on the station with network address address, or null.
ZODAVUDAZ_EXPORT CFRONTEND* ZocGetFrontEnd2(LONG address, WORD slot) noexcept;

/// Executes control word cntl through the module's frontend (option 4) or, without one, through
/// the communication library; that call's result.
ZODAVUDAZ_EXPORT WORD ZocMoteSyncExec(WORD station, WORD slot, WORD cntl) noexcept;
/// The same with count elements of type at data.
ZODAVUDAZ_EXPORT WORD ZocMoteSyncExec2(WORD station, WORD slot, WORD cntl, void* data, WORD type, DWORD count) noexcept;
/// Queries setting cntl into out (capacity bytes) with the reply record prepared for the query,
/// through the frontend or the communication library; that call's result.
ZODAVUDAZ_EXPORT WORD ZocMoteSettingQuery(WORD station, WORD slot, WORD cntl, void* out, WORD* outType, DWORD* outCount,
                                          DWORD capacity) noexcept;

/// Store 0, then the module's FileNum or FileStartNo; 0, or 0xFFFF for an unknown module.
ZODAVUDAZ_EXPORT WORD ZocGetFileNumInSaveMode(WORD station, WORD slot, DWORD* value) noexcept;
ZODAVUDAZ_EXPORT WORD ZocGetFileStartNoInSaveMode(WORD station, WORD slot, DWORD* value) noexcept;

/// Store and read the process-wide CG class, 0 at load.
ZODAVUDAZ_EXPORT void ZoSetCGClass(DWORD value) noexcept;
ZODAVUDAZ_EXPORT DWORD ZoGetCGClass() noexcept;

#endif
