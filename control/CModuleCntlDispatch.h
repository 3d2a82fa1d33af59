// The dispatch tables of CModuleCntl: groups by command id, handlers by control id and position.
#ifndef CONTROL_CMODULECNTLDISPATCH_H
#define CONTROL_CMODULECNTLDISPATCH_H

#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/control/CntlDispatchTable.h>
#include <zodavudaz/packets/DataHeader.h>

#include <array>
#include <cstddef>

namespace ModuleCntlDispatch {
/// Calls the handler at position (1 to 61, in slot order) on target; nothing for any other.
/// Each handler has its own call site, which keeps its target easy to predict; one shared call
/// through a table of member pointers would jump to a different handler nearly every packet.
inline void CallHandlerAt(CModuleCntl& target, BYTE position) {
  switch (position) {
  case 1: target.ReqOthersGroup(); break;
  case 2: target.RplyOthersGroup(); break;
  case 3: target.RplyWarning(); break;
  case 4: target.RplyModuleInfo(); break;
  case 5: target.RplyError(); break;
  case 6: target.ReqClientStart(); break;
  case 7: target.ReqClientStop(); break;
  case 8: target.ReqClientExit(); break;
  case 9: target.ReqClientModuleConnect(); break;
  case 10: target.ReqWaveData(); break;
  case 11: target.ReqWaveDataPacked(); break;
  case 12: target.ReqWaveDataZoom(); break;
  case 13: target.ReqWaveInfo(); break;
  case 14: target.ReqWaveDataZoomPacked(); break;
  case 15: target.ReqWaveInfoZoom(); break;
  case 16: target.ReqAccessRight(); break;
  case 17: target.ReqLockRight(); break;
  case 18: target.ReqClientClearWave(); break;
  case 19: target.ReqCreateEvent(); break;
  case 20: target.ReqReleaseEvent(); break;
  case 21: target.ReqWavePackedData(); break;
  case 22: target.ReqClientWaveInit(); break;
  case 23: target.ReqClientRegistError(); break;
  case 24: target.ReqClientUpdateDataBase(); break;
  case 25: target.ReqClientUpdateModule(); break;
  case 26: target.ReqClientUpdateScale(); break;
  case 27: target.ReqCreateViewer(); break;
  case 28: target.ReqUpdateViewer(); break;
  case 29: target.ReqNotifyViewer(); break;
  case 30: target.ReqNotifyGuiPanel(); break;
  case 31: target.ReqUpdateMainWindow(); break;
  case 32: target.ReqGuiData(); break;
  case 33: target.ReqGetStationInfo(); break;
  case 34: target.ReqControlSoft(); break;
  case 35: target.ReqSeqStartScan(); break;
  case 36: target.ReqQueryAccessRight(); break;
  case 37: target.ReqQueryLockRight(); break;
  case 38: target.ReqStationName(); break;
  case 39: target.ReqComment(); break;
  case 40: target.ReqViewerParam(); break;
  case 41: target.ReqViewerProperty(); break;
  case 42: target.RplyStart(); break;
  case 43: target.RplyStop(); break;
  case 44: target.RplyMeasure(); break;
  case 45: target.RplyStationEvent(); break;
  case 46: target.RplyExecDefault(); break;
  case 47: target.RplyAccessRight(); break;
  case 48: target.RplyLockRight(); break;
  case 49: target.RplyWaveData(); break;
  case 50: target.RplyModuleInternalInfo(); break;
  case 51: target.RplyRawWaveData(); break;
  case 52: target.RplyZoomWaveData(); break;
  case 53: target.RplyAcqSequence(); break;
  case 54: target.RplyQuerySequence(); break;
  case 55: target.RplyStationName(); break;
  case 56: target.RplyStationComment(); break;
  case 57: target.RplyGetBusInfo(); break;
  case 58: target.RplySetBusInfo(); break;
  case 59: target.RplyWaveInfo(); break;
  case 60: target.RplyUpdateGUI(); break;
  case 61: target.RplyGUIInfo(); break;
  default: break;
  }
}

/// The names of the handlers by position, as CallHandlerAt calls them.
inline constexpr std::array<LPCTSTR, 62> HandlerNames = {
    nullptr,
    "ReqOthersGroup",
    "RplyOthersGroup",
    "RplyWarning",
    "RplyModuleInfo",
    "RplyError",
    "ReqClientStart",
    "ReqClientStop",
    "ReqClientExit",
    "ReqClientModuleConnect",
    "ReqWaveData",
    "ReqWaveDataPacked",
    "ReqWaveDataZoom",
    "ReqWaveInfo",
    "ReqWaveDataZoomPacked",
    "ReqWaveInfoZoom",
    "ReqAccessRight",
    "ReqLockRight",
    "ReqClientClearWave",
    "ReqCreateEvent",
    "ReqReleaseEvent",
    "ReqWavePackedData",
    "ReqClientWaveInit",
    "ReqClientRegistError",
    "ReqClientUpdateDataBase",
    "ReqClientUpdateModule",
    "ReqClientUpdateScale",
    "ReqCreateViewer",
    "ReqUpdateViewer",
    "ReqNotifyViewer",
    "ReqNotifyGuiPanel",
    "ReqUpdateMainWindow",
    "ReqGuiData",
    "ReqGetStationInfo",
    "ReqControlSoft",
    "ReqSeqStartScan",
    "ReqQueryAccessRight",
    "ReqQueryLockRight",
    "ReqStationName",
    "ReqComment",
    "ReqViewerParam",
    "ReqViewerProperty",
    "RplyStart",
    "RplyStop",
    "RplyMeasure",
    "RplyStationEvent",
    "RplyExecDefault",
    "RplyAccessRight",
    "RplyLockRight",
    "RplyWaveData",
    "RplyModuleInternalInfo",
    "RplyRawWaveData",
    "RplyZoomWaveData",
    "RplyAcqSequence",
    "RplyQuerySequence",
    "RplyStationName",
    "RplyStationComment",
    "RplyGetBusInfo",
    "RplySetBusInfo",
    "RplyWaveInfo",
    "RplyUpdateGUI",
    "RplyGUIInfo",
};

/// The handlers that the own-handler flags call.
inline constexpr BYTE RplyWarningPosition = 3;
inline constexpr BYTE RplyErrorPosition = 5;

/// Where the reply exec group sends the ids without a row.
inline constexpr BYTE RplyExecDefaultPosition = 46;

/// The request exec group. Positions 19 and 20 also belong here, to control words 0x8000 and
/// 0x8001; the 12-bit control id never equals them, so they have no row.
inline constexpr CntlRoute ReqExecRoutes[] = {
    {0x112, 6},  {0x114, 24}, {0x116, 7},  {0x117, 8},  {0x118, 9},  {0x119, 23}, {0x160, 10},
    {0x161, 11}, {0x163, 21}, {0x164, 25}, {0x165, 26}, {0x1A0, 12}, {0x1A1, 13}, {0x1A2, 14},
    {0x1A3, 15}, {0x1A4, 16}, {0x1A5, 18}, {0x1A6, 22}, {0x1A7, 27}, {0x1A8, 28}, {0x1A9, 29},
    {0x1AA, 17}, {0x1AB, 30}, {0x1AC, 31}, {0x1AD, 32}, {0x1AE, 33}, {0x1AF, 34}, {0x1B0, 35},
};
inline constexpr CntlRoute ReqQueryRoutes[] = {
    {0x1A4, 36}, {0x1AA, 37}, {0x40C, 10}, {0x420, 40}, {0x421, 41}, {0x802, 38}, {0x803, 39},
};
inline constexpr CntlRoute ReqParamRoutes[] = {{0x40C, 13}};
inline constexpr CntlRoute RplyExecRoutes[] = {{0x400, 42}, {0x401, 43}, {0x403, 44}};
inline constexpr CntlRoute RplyQueryRoutes[] = {
    {0x1A4, 47}, {0x1AA, 48}, {0x40C, 49}, {0x40D, 52}, {0x403, 53},
    {0x404, 54}, {0x802, 55}, {0x803, 56}, {0x804, 57}, {0x805, 58},
};
inline constexpr CntlRoute RplyParamRoutes[] = {{0x40C, 59}};

inline constexpr CntlDispatchTable ReqExecTable = SpreadRoutes<ReqExecRoutes>::Table;
inline constexpr CntlDispatchTable ReqQueryTable = SpreadRoutes<ReqQueryRoutes>::Table;
inline constexpr CntlDispatchTable ReqParamTable = SpreadRoutes<ReqParamRoutes>::Table;
inline constexpr CntlDispatchTable RplyExecTable = SpreadRoutes<RplyExecRoutes, RplyExecDefaultPosition>::Table;
inline constexpr CntlDispatchTable RplyQueryTable = SpreadRoutes<RplyQueryRoutes>::Table;
inline constexpr CntlDispatchTable RplyParamTable = SpreadRoutes<RplyParamRoutes>::Table;
inline constexpr CntlDispatchTable RplyGUITable = EveryIdTo<61>;

/// Groups whose handler does not depend on the control id.
inline constexpr CntlDispatchTable NoneTable = EveryIdTo<NoHandler>;
inline constexpr CntlDispatchTable ReqOthersTable = EveryIdTo<1>;
inline constexpr CntlDispatchTable RplyOthersTable = EveryIdTo<2>;
inline constexpr CntlDispatchTable EventTable = EveryIdTo<45>;

/// A request without flags by command group. GUI and help requests, and requests of the reply
/// exec group, have no handlers.
inline constexpr std::array<CntlDispatchTable, 16> RequestGroups = {
    ReqExecTable,   ReqOthersTable, ReqOthersTable, ReqOthersTable, ReqOthersTable, ReqOthersTable,
    ReqOthersTable, EventTable,     NoneTable,      ReqParamTable,  ReqQueryTable,  NoneTable,
    NoneTable,      ReqOthersTable, ReqOthersTable, ReqOthersTable,
};

/// A reply by command group. Help replies have no handlers.
inline constexpr std::array<CntlDispatchTable, 16> ReplyGroups = {
    RplyOthersTable, RplyOthersTable, RplyOthersTable, RplyOthersTable, RplyOthersTable, RplyOthersTable,
    RplyOthersTable, EventTable,      RplyExecTable,   RplyParamTable,  RplyQueryTable,  RplyGUITable,
    NoneTable,       RplyOthersTable, RplyOthersTable, RplyOthersTable,
};
/// The command id flags that keep a request from its group.
inline constexpr BYTE RequestFlagsMask = CmdFlagReply | CmdFlagOwnHandlerOnly | CmdFlagOwnHandlerFirst;

/// What one command id byte selects: the handler called first, whatever the control id (or
/// none), then the group that the control id is looked up in.
struct CmdIdRoute {
  BYTE FirstPosition;
  CntlDispatchTable Group;
};

/// The route of cmdId, flags first: own-handler-first adds RplyWarning, own-handler-only calls
/// RplyError alone, flagged requests reach no group.
constexpr CmdIdRoute RouteOfCmdId(BYTE cmdId) noexcept {
  const BYTE first = (cmdId & CmdFlagOwnHandlerFirst) ? RplyWarningPosition : NoHandler;
  if (cmdId & CmdFlagOwnHandlerOnly)
    return {first, EveryIdTo<RplyErrorPosition>};
  if (cmdId & CmdFlagReply)
    return {first, ReplyGroups[cmdId & CmdGroupMask]};
  if ((cmdId & RequestFlagsMask) == 0)
    return {first, RequestGroups[cmdId & CmdGroupMask]};
  return {first, NoneTable};
}

/// Every command id byte's route, so that a dispatch tests no flag bit by bit.
inline constexpr std::array<CmdIdRoute, 256> CmdIdRoutes = [] {
  std::array<CmdIdRoute, 256> routes{};
  for (std::size_t cmdId = 0; cmdId < routes.size(); ++cmdId)
    routes[cmdId] = RouteOfCmdId(static_cast<BYTE>(cmdId));
  return routes;
}();
} // namespace ModuleCntlDispatch

#endif
