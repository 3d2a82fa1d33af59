// Posts to the sequence thread that refer to a module's save-on-trigger block by address.
#ifndef ZODAVUDAZ_DATABASE_POSTEDTRIGINFO_H
#define ZODAVUDAZ_DATABASE_POSTEDTRIGINFO_H

#include <zodavudaz/database/CModule.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>

/// Posts message to the sequence thread with the address of a kept copy of module's ActOnTrigInfo,
/// followed by its ModuleFlags byte, and with record. One copy is kept per station and slot,
/// refreshed at each post and valid at its address until the library is unloaded, whatever
/// becomes of the module record; a refused post keeps no new copy and leaves the kept one as it
/// was. True when posted: record then belongs to the receiver, otherwise it stays the caller's.
bool PostWithTrigInfo(WORD station, WORD slot, const CModule& module, DWORD message, _SeqMsgParam* record) noexcept;

#endif
