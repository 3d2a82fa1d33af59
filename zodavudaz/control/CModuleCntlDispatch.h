// The dispatch tables of CModuleCntl: groups by command id, handlers by control id and position.
#ifndef ZODAVUDAZ_CONTROL_CMODULECNTLDISPATCH_H
#define ZODAVUDAZ_CONTROL_CMODULECNTLDISPATCH_H

#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/control/CntlRouteDispatch.h>
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>

#include <array>
#include <cstddef>
#include <utility>

namespace ModuleCntlDispatch {
/// A handler of CModuleCntl.
using Handler = void (CModuleCntl::*)();

/// The handlers by position, in slot order; position 0 is none.
inline constexpr std::array<Handler, 62> HandlerAt = {
    nullptr,
    &CModuleCntl::ReqOthersGroup,
    &CModuleCntl::RplyOthersGroup,
    &CModuleCntl::RplyWarning,
    &CModuleCntl::RplyModuleInfo,
    &CModuleCntl::RplyError,
    &CModuleCntl::ReqClientStart,
    &CModuleCntl::ReqClientStop,
    &CModuleCntl::ReqClientExit,
    &CModuleCntl::ReqClientModuleConnect,
    &CModuleCntl::ReqWaveData,
    &CModuleCntl::ReqWaveDataPacked,
    &CModuleCntl::ReqWaveDataZoom,
    &CModuleCntl::ReqWaveInfo,
    &CModuleCntl::ReqWaveDataZoomPacked,
    &CModuleCntl::ReqWaveInfoZoom,
    &CModuleCntl::ReqAccessRight,
    &CModuleCntl::ReqLockRight,
    &CModuleCntl::ReqClientClearWave,
    &CModuleCntl::ReqCreateEvent,
    &CModuleCntl::ReqReleaseEvent,
    &CModuleCntl::ReqWavePackedData,
    &CModuleCntl::ReqClientWaveInit,
    &CModuleCntl::ReqClientRegistError,
    &CModuleCntl::ReqClientUpdateDataBase,
    &CModuleCntl::ReqClientUpdateModule,
    &CModuleCntl::ReqClientUpdateScale,
    &CModuleCntl::ReqCreateViewer,
    &CModuleCntl::ReqUpdateViewer,
    &CModuleCntl::ReqNotifyViewer,
    &CModuleCntl::ReqNotifyGuiPanel,
    &CModuleCntl::ReqUpdateMainWindow,
    &CModuleCntl::ReqGuiData,
    &CModuleCntl::ReqGetStationInfo,
    &CModuleCntl::ReqControlSoft,
    &CModuleCntl::ReqSeqStartScan,
    &CModuleCntl::ReqQueryAccessRight,
    &CModuleCntl::ReqQueryLockRight,
    &CModuleCntl::ReqStationName,
    &CModuleCntl::ReqComment,
    &CModuleCntl::ReqViewerParam,
    &CModuleCntl::ReqViewerProperty,
    &CModuleCntl::RplyStart,
    &CModuleCntl::RplyStop,
    &CModuleCntl::RplyMeasure,
    &CModuleCntl::RplyStationEvent,
    &CModuleCntl::RplyExecDefault,
    &CModuleCntl::RplyAccessRight,
    &CModuleCntl::RplyLockRight,
    &CModuleCntl::RplyWaveData,
    &CModuleCntl::RplyModuleInternalInfo,
    &CModuleCntl::RplyRawWaveData,
    &CModuleCntl::RplyZoomWaveData,
    &CModuleCntl::RplyAcqSequence,
    &CModuleCntl::RplyQuerySequence,
    &CModuleCntl::RplyStationName,
    &CModuleCntl::RplyStationComment,
    &CModuleCntl::RplyGetBusInfo,
    &CModuleCntl::RplySetBusInfo,
    &CModuleCntl::RplyWaveInfo,
    &CModuleCntl::RplyUpdateGUI,
    &CModuleCntl::RplyGUIInfo,
};

/// The names of HandlerAt's entries, position by position.
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

/// The handlers that a group or a flag reaches whatever the control id.
inline constexpr BYTE ReqOthersGroupPosition = 1;
inline constexpr BYTE RplyOthersGroupPosition = 2;
inline constexpr BYTE RplyWarningPosition = 3;
inline constexpr BYTE RplyErrorPosition = 5;
inline constexpr BYTE RplyStationEventPosition = 45;
inline constexpr BYTE RplyGUIInfoPosition = 61;

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

/// Calls the handler at Position on target; nothing for position 0.
template <BYTE Position>
void CallHandlerAt(CModuleCntl& target) {
  if constexpr (Position != NoHandler)
    (target.*HandlerAt[Position])();
}

using HandlerCall = void (*)(CModuleCntl&);

template <std::size_t... Positions>
constexpr std::array<HandlerCall, sizeof...(Positions)> HandlerCalls(std::index_sequence<Positions...> /*positions*/) {
  return {&CallHandlerAt<Positions>...};
}

/// CallHandlerAt by position.
inline constexpr std::array<HandlerCall, HandlerAt.size()> HandlerCallAt =
    HandlerCalls(std::make_index_sequence<HandlerAt.size()>());

/// The control id that the group dispatch gets when there is no packet to read one from; no
/// 12-bit control id equals it.
inline constexpr WORD NoPacketCntlId = 0xFFFF;

/// The control id of packet's control word; NoPacketCntlId for none.
inline WORD CntlIdOf(const _ModulePacket* packet) noexcept {
  if (packet == nullptr)
    return NoPacketCntlId;
  return MaskedCntlIdOf(LoadWire<WORD>(packet, offsetof(_ModulePacket, Cntl)));
}

/// Visits the position that cntlId selects among Routes; nothing for NoPacketCntlId.
template <const auto& Routes, BYTE MissPosition = NoHandler, typename Visit>
void VisitPacketRoute(WORD cntlId, Visit& visit) {
  if (cntlId != NoPacketCntlId)
    VisitRoute<Routes, MissPosition>(cntlId, visit);
}

/// Visits the handler position that a request without flags of group selects by cntlId. GUI and
/// help requests, and requests of the reply exec group, have no handlers.
template <typename Visit>
void VisitRequestGroup(BYTE group, WORD cntlId, Visit& visit) {
  switch (group) {
  case CmdGroupReqExec: VisitPacketRoute<ReqExecRoutes>(cntlId, visit); break;
  case CmdGroupEvent: visit(HandlerPosition<RplyStationEventPosition>); break;
  case CmdGroupParam: VisitPacketRoute<ReqParamRoutes>(cntlId, visit); break;
  case CmdGroupQuery: VisitPacketRoute<ReqQueryRoutes>(cntlId, visit); break;
  case CmdGroupRplyExec:
  case CmdGroupGui:
  case CmdGroupHelp: break;
  default: visit(HandlerPosition<ReqOthersGroupPosition>); break;
  }
}

/// Visits the handler position that a reply of group selects by cntlId. Help replies have no
/// handlers.
template <typename Visit>
void VisitReplyGroup(BYTE group, WORD cntlId, Visit& visit) {
  switch (group) {
  case CmdGroupEvent: visit(HandlerPosition<RplyStationEventPosition>); break;
  case CmdGroupRplyExec: VisitPacketRoute<RplyExecRoutes, RplyExecDefaultPosition>(cntlId, visit); break;
  case CmdGroupParam: VisitPacketRoute<RplyParamRoutes>(cntlId, visit); break;
  case CmdGroupQuery: VisitPacketRoute<RplyQueryRoutes>(cntlId, visit); break;
  case CmdGroupGui:
    if (cntlId != NoPacketCntlId)
      visit(HandlerPosition<RplyGUIInfoPosition>);
    break;
  case CmdGroupHelp: break;
  default: visit(HandlerPosition<RplyOthersGroupPosition>); break;
  }
}

/// Visits, in call order, the position of each handler that packet reaches: the warning handler
/// first with flag 0x10; then the error handler alone with flag 0x20, the reply's group, or a
/// request's group when it has neither 0x10 nor 0x20 (0x40 does not matter). The group is the
/// packet's command id's. Without 0x10 nothing runs before the group, which takes the control id
/// from packet at once; after the warning handler, the reply's group reads it from currentPacket(),
/// so that a handler that rewrites or replaces the packet has what it left routed.
template <typename CurrentPacket, typename Visit>
void VisitHandlers(const _ModulePacket* packet, CurrentPacket currentPacket, Visit visit) {
  const BYTE cmdId = LoadWire<BYTE>(packet, offsetof(_ModulePacket, CmdId));
  const bool warningFirst = (cmdId & CmdFlagOwnHandlerFirst) != 0;
  if (warningFirst)
    visit(HandlerPosition<RplyWarningPosition>);
  if (cmdId & CmdFlagOwnHandlerOnly) {
    visit(HandlerPosition<RplyErrorPosition>);
    return;
  }
  // One call site for each group, so that both inline here.
  const WORD cntlId =
      warningFirst ? CntlIdOf(currentPacket()) : MaskedCntlIdOf(LoadWire<WORD>(packet, offsetof(_ModulePacket, Cntl)));
  if (cmdId & CmdFlagReply)
    VisitReplyGroup(cmdId & CmdGroupMask, cntlId, visit);
  else if (!warningFirst)
    VisitRequestGroup(cmdId & CmdGroupMask, cntlId, visit);
}
} // namespace ModuleCntlDispatch

#endif
