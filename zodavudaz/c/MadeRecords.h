// The records the C interface makes for its callers: stations, and modules' scaling tables.
#ifndef ZODAVUDAZ_C_MADERECORDS_H
#define ZODAVUDAZ_C_MADERECORDS_H

#include <zodavudaz/database/CGUIDatabase.h>

/// The filed station or module, or null. Used under the interface's lock, like everything here.
CStation* FiledStation(WORD station) noexcept;
CModule* FiledModule(WORD station, WORD module) noexcept;

/// Keeps a station made for a caller until FreeMadeStation or FreeMadeStationsAfterExit.
void KeepMadeStation(CStation* station);
/// Frees station when the C interface made it; false, leaving it alone, when it did not.
bool FreeMadeStation(CStation* station) noexcept;
/// After CGUIDatabase::Exit: frees every station made for a caller, with the modules Exit leaves
/// in station 0.
void FreeMadeStationsAfterExit() noexcept;

/// Destroys a module that is no longer filed as Exit would: releases its scaling table, ends its
/// frontend's work and deletes the record.
void DestroyUnfiledModule(CModule* module) noexcept;

/// Remembers that table holds records scaling records (it was made for a caller).
void KeepScaleTable(const CHNLINF* table, DWORD records);
/// How many records table holds: as remembered, or one row of channels for a table made elsewhere.
DWORD ScaleTableRecords(const CHNLINF* table, WORD channels) noexcept;
/// Forgets table (about to be released); all tables after Exit.
void ForgetScaleTable(const CHNLINF* table) noexcept;
void ForgetScaleTables() noexcept;

#endif
