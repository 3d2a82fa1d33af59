// One channel entry of a viewer's channel group.
#ifndef ZODAVUDAZ_VIEWER_GRCHANNEL_H
#define ZODAVUDAZ_VIEWER_GRCHANNEL_H

#include <zodavudaz/platform/BaseTypes.h>

#include <cstddef>

/// A channel of a group: channel id, status, display range and colours (32 bytes).
struct GrChannel {
  int CHID;
  BYTE CHSTS;
  double MMIN;
  double MMAX;
  DWORD CurrentColor;
  DWORD OtherColor;
};
static_assert(sizeof(GrChannel) == 32);
static_assert(offsetof(GrChannel, CHSTS) == 4);
static_assert(offsetof(GrChannel, MMIN) == 8);
static_assert(offsetof(GrChannel, MMAX) == 16);
static_assert(offsetof(GrChannel, CurrentColor) == 24);
static_assert(offsetof(GrChannel, OtherColor) == 28);

#endif
