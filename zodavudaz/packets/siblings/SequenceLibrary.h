// The flat functions of the sequence library that this library calls.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_SEQUENCELIBRARY_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_SEQUENCELIBRARY_H

#include <zodavudaz/packets/CZosManager.h>
#include <zodavudaz/platform/Export.h>

/// The process's sequence manager.
ZODAVUDAZ_EXPORT CZosManager* ZosGetMgr() noexcept;

#endif
