// A channel scaling record, as the applications and the modules define it.
#ifndef ZODAVUDAZ_DATABASE_CHNLINF_H
#define ZODAVUDAZ_DATABASE_CHNLINF_H

#include <zodavudaz/platform/BaseTypes.h>

/// 96 bytes that the library indexes, hands out and sends to a module unchanged.
struct CHNLINF {
  BYTE Bytes[96];
};
static_assert(sizeof(CHNLINF) == 96);

#endif
