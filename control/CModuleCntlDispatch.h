// The dispatch tables of CModuleCntl: groups by command id, handlers by control id and position.
#ifndef CONTROL_CMODULECNTLDISPATCH_H
#define CONTROL_CMODULECNTLDISPATCH_H

#include "control/CModuleCntl.h"
#include "control/CntlDispatchTable.h"
#include "packets/DataHeader.h"

#include <array>

namespace ModuleCntlDispatch {
/// A handler or a group dispatcher of CModuleCntl.
using Member = void (CModuleCntl::*)();

/// The handlers by position, in slot order; position 0 is none.
inline constexpr std::array<Member, 62> HandlerAt = {
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

using ReqExecTable = CntlDispatchTable<ReqExecRoutes>;
using ReqQueryTable = CntlDispatchTable<ReqQueryRoutes>;
using ReqParamTable = CntlDispatchTable<ReqParamRoutes>;
using RplyExecTable = CntlDispatchTable<RplyExecRoutes, RplyExecDefaultPosition>;
using RplyQueryTable = CntlDispatchTable<RplyQueryRoutes>;
using RplyParamTable = CntlDispatchTable<RplyParamRoutes>;

/// What a request without flags goes to, by command group; null: nothing.
inline constexpr std::array<Member, 16> RequestGroupAt = {
    &CModuleCntl::ReqExecGroup,     &CModuleCntl::ReqOthersGroup, &CModuleCntl::ReqOthersGroup,
    &CModuleCntl::ReqOthersGroup,   &CModuleCntl::ReqOthersGroup, &CModuleCntl::ReqOthersGroup,
    &CModuleCntl::ReqOthersGroup,   &CModuleCntl::RplyStationEvent, nullptr,
    &CModuleCntl::ReqParamGroup,    &CModuleCntl::ReqQueryGroup,  &CModuleCntl::ReqGUIGroup,
    &CModuleCntl::ReqHelpGroup,     &CModuleCntl::ReqOthersGroup, &CModuleCntl::ReqOthersGroup,
    &CModuleCntl::ReqOthersGroup,
};

/// What a reply goes to, by command group.
inline constexpr std::array<Member, 16> ReplyGroupAt = {
    &CModuleCntl::RplyOthersGroup,  &CModuleCntl::RplyOthersGroup, &CModuleCntl::RplyOthersGroup,
    &CModuleCntl::RplyOthersGroup,  &CModuleCntl::RplyOthersGroup, &CModuleCntl::RplyOthersGroup,
    &CModuleCntl::RplyOthersGroup,  &CModuleCntl::RplyStationEvent, &CModuleCntl::RplyExecGroup,
    &CModuleCntl::RplyParamGroup,   &CModuleCntl::RplyQueryGroup,  &CModuleCntl::RplyGUIGroup,
    &CModuleCntl::RplyHelpGroup,    &CModuleCntl::RplyOthersGroup, &CModuleCntl::RplyOthersGroup,
    &CModuleCntl::RplyOthersGroup,
};
} // namespace ModuleCntlDispatch

#endif
