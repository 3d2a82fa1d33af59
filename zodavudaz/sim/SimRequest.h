// Requests to a simulated module and the copying of its replies, shared by the frontend objects
// and the communication library's direct access.
#ifndef ZODAVUDAZ_SIM_SIMREQUEST_H
#define ZODAVUDAZ_SIM_SIMREQUEST_H

#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/packets/siblings/CFRONTEND.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/sim/SimModule.h>

/// Where a request goes: through frontend's Query_ when frontend is not null, else straight to
/// module (the communication library without a frontend).
struct SimTarget {
  CFRONTEND* Frontend;
  SimModule* Module;
  WORD ModuleId;
};

/// One request: group, control word, input, reply record and option word.
struct SimCall {
  WORD Group;
  WORD Cntl;
  const void* In;
  WORD InType;
  DWORD InCount;
  CRplySync* Sync;
  WORD Option;
};

/// Sends call; on 0 *reply (when not null) = the reply packet the module holds.
WORD SimExchange(const SimTarget& target, const SimCall& call, _ModulePacket** reply) noexcept;
/// Sends call; on 0 the reply's data address, type and element count go to the outputs given; the
/// count is never more than the whole elements the data holds.
WORD SimExchangeForPointer(const SimTarget& target, const SimCall& call, void** out, WORD* outType,
                           DWORD* outCount) noexcept;
/// Sends call; on 0 the reply's data is copied into buffer, never more than capacity bytes, and
/// its type and the element count copied go to the outputs given (or the count the reply claims,
/// when a fault makes it claim more).
WORD SimExchangeInto(const SimTarget& target, const SimCall& call, void* buffer, DWORD capacity, WORD* outType,
                     DWORD* outCount) noexcept;

#endif
