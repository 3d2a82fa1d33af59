// The communication library's record of its receive thread, embedded in the manager.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_CRECEIVETHREADINFO_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_CRECEIVETHREADINFO_H

#include <zodavudaz/platform/BaseTypes.h>

/// Its contents belong to the communication library; only its size is shared, since the manager
/// fields after it are read here.
struct CReceiveThreadInfo {
  DWORD Words[8];
};
static_assert(sizeof(CReceiveThreadInfo) == 32);

#endif
