// The flat functions of the communication library that this library calls.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_COMMUNICATIONLIBRARY_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_COMMUNICATIONLIBRARY_H

#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/packets/CWink.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CWinThread.h>
#include <zodavudaz/platform/Export.h>

/// Result of CManager::PostSeqThread and PostGUIThread for a message that was posted.
constexpr WORD PostedOk = 0;

/// The process's communication manager and station link table.
ZODAVUDAZ_EXPORT CManager* GetMgr() noexcept;
ZODAVUDAZ_EXPORT CWink* GetWink() noexcept;

/// Executes control word cntl on the module (station, slot) without a frontend, with count
/// elements of type at data (type 0xFF and count 0: none); 0 on success.
ZODAVUDAZ_EXPORT WORD MoSyncExec(WORD station, WORD slot, WORD cntl, void* data, WORD type, DWORD count) noexcept;
/// Queries control word cntl of the module without a frontend into out (capacity bytes), with the
/// reply's type and element count; 0 on success.
ZODAVUDAZ_EXPORT WORD MoSettingQuery(WORD station, WORD slot, WORD cntl, void* out, WORD* outType, DWORD* outCount,
                                     DWORD capacity) noexcept;
/// One request of command group cmd with its input, and its reply into out (capacity bytes).
ZODAVUDAZ_EXPORT WORD MoteSetGet(WORD station, WORD slot, WORD cmd, WORD cntl, void* in, WORD inType, DWORD inCount,
                                 void* out, DWORD capacity, WORD* outType, DWORD* outCount) noexcept;
/// Releases the event eventId held for the module; nonzero on failure.
ZODAVUDAZ_EXPORT WORD MoteReleaseEvent(WORD station, WORD slot, DWORD eventId) noexcept;

/// The calling thread as the communication library knows it, and that thread's reply record.
ZODAVUDAZ_EXPORT CWinThread* MoGetThread() noexcept;
ZODAVUDAZ_EXPORT CRplySync* GetSyncInfo(CWinThread* thread) noexcept;
/// A reply record prepared for a query of control word cntl to the module (station, slot).
/// Every packet names its reply record by ThreadAddrOf and every receiver reads it back by
/// RplySyncOf (the packets' GetRplySync): in the 32-bit build that is the address, on 64-bit a
/// handle that ends when the record is invalidated or destroyed.
ZODAVUDAZ_EXPORT CRplySync* SetRplySyncForQuery(WORD station, WORD slot, WORD cntl) noexcept;

/// What to add to a control id to address member connectNo of a connected group.
ZODAVUDAZ_EXPORT WORD GetChCntlIdOfst(WORD connectNo) noexcept;
/// The 8-byte value at value, stored as type code type says, as a double.
ZODAVUDAZ_EXPORT double UnionToDouble(WORD type, void* value) noexcept;
/// Shows the communication library's error message messageNo; zero is 0.
ZODAVUDAZ_EXPORT void ErrorBox1(DWORD messageNo, DWORD zero) noexcept;

#endif
