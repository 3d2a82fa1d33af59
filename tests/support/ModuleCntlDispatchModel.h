// An independent statement of which handler positions the packet interpreter calls, for tests and fuzzing.
#ifndef ZODAVUDAZ_TESTS_SUPPORT_MODULECNTLDISPATCHMODEL_H
#define ZODAVUDAZ_TESTS_SUPPORT_MODULECNTLDISPATCHMODEL_H

#include <zodavudaz/platform/BaseTypes.h>

#include <vector>

/// A listed control id: the command id without flags that reaches its group, and its position.
struct ModelRoute {
  BYTE CmdId;
  WORD CntlId;
  int Position;
};

inline constexpr ModelRoute ModelRoutes[] = {
    // Request exec.
    {0x00, 0x112, 6},
    {0x00, 0x114, 24},
    {0x00, 0x116, 7},
    {0x00, 0x117, 8},
    {0x00, 0x118, 9},
    {0x00, 0x119, 23},
    {0x00, 0x160, 10},
    {0x00, 0x161, 11},
    {0x00, 0x163, 21},
    {0x00, 0x164, 25},
    {0x00, 0x165, 26},
    {0x00, 0x1A0, 12},
    {0x00, 0x1A1, 13},
    {0x00, 0x1A2, 14},
    {0x00, 0x1A3, 15},
    {0x00, 0x1A4, 16},
    {0x00, 0x1A5, 18},
    {0x00, 0x1A6, 22},
    {0x00, 0x1A7, 27},
    {0x00, 0x1A8, 28},
    {0x00, 0x1A9, 29},
    {0x00, 0x1AA, 17},
    {0x00, 0x1AB, 30},
    {0x00, 0x1AC, 31},
    {0x00, 0x1AD, 32},
    {0x00, 0x1AE, 33},
    {0x00, 0x1AF, 34},
    {0x00, 0x1B0, 35},
    // Request query and param.
    {0x0A, 0x1A4, 36},
    {0x0A, 0x1AA, 37},
    {0x0A, 0x40C, 10},
    {0x0A, 0x420, 40},
    {0x0A, 0x421, 41},
    {0x0A, 0x802, 38},
    {0x0A, 0x803, 39},
    {0x09, 0x40C, 13},
    // Reply exec, query and param.
    {0x88, 0x400, 42},
    {0x88, 0x401, 43},
    {0x88, 0x403, 44},
    {0x8A, 0x1A4, 47},
    {0x8A, 0x1AA, 48},
    {0x8A, 0x40C, 49},
    {0x8A, 0x40D, 52},
    {0x8A, 0x403, 53},
    {0x8A, 0x404, 54},
    {0x8A, 0x802, 55},
    {0x8A, 0x803, 56},
    {0x8A, 0x804, 57},
    {0x8A, 0x805, 58},
    {0x89, 0x40C, 59},
};

/// The position listed for cntlId under cmdId, else missPosition.
inline int ModelRouteOf(BYTE cmdId, WORD cntlId, int missPosition) {
  for (const ModelRoute& route : ModelRoutes)
    if (route.CmdId == cmdId && route.CntlId == cntlId)
      return route.Position;
  return missPosition;
}

/// By command group, what a reply (row 0) or a request without flags (row 1) calls: a position,
/// 0 for nothing, or Routed for the group's listed ids.
constexpr int Routed = -1;
inline constexpr int ModelGroupPositions[2][16] = {
    {2, 2, 2, 2, 2, 2, 2, 45, Routed, Routed, Routed, 61, 0, 2, 2, 2},
    {Routed, 1, 1, 1, 1, 1, 1, 45, 0, Routed, Routed, 0, 0, 1, 1, 1},
};

/// The positions Interpret calls, in order, for a packet with command id cmdId and control word cntl.
inline std::vector<int> ModelCalls(BYTE cmdId, WORD cntl) {
  const BYTE group = cmdId & 0x0F;
  const bool reply = (cmdId & 0x80) != 0;
  std::vector<int> calls;
  if (cmdId & 0x10)
    calls.push_back(3);
  int position = 0;
  if (cmdId & 0x20) {
    position = 5;
  } else if (reply || (cmdId & 0xB0) == 0) {
    position = ModelGroupPositions[reply ? 0 : 1][group];
    // Unlisted reply exec ids go to 46.
    if (position == Routed)
      position = ModelRouteOf(reply ? 0x80 | group : group, cntl & 0x0FFF, reply && group == 8 ? 46 : 0);
  }
  if (position != 0)
    calls.push_back(position);
  return calls;
}

#endif
