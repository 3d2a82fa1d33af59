// The message record (36 bytes in the 32-bit build) that goes to the sequence thread with messages 0x437 and 0x44A.
#ifndef ZODAVUDAZ_PACKETS_SIBLINGS_SEQMSGPARAM_H
#define ZODAVUDAZ_PACKETS_SIBLINGS_SEQMSGPARAM_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>

#include <cstddef>

/// Message numbers posted to the manager's threads.
constexpr DWORD SeqMsgStartStop = 0x437;
constexpr DWORD SeqMsgStopViewer = 0x44A;
constexpr DWORD GuiMsgStartLed = 0x43A;

/// Created on the heap with every field 0 and the text empty; once posted it belongs to the
/// receiver, which destroys it with delete.
struct _SeqMsgParam {
  /// 0 to stop a viewer, 2 for a start or stop button.
  BYTE MsgKind = 0;
  BYTE Reserved1 = 0;
  WORD CntlId = 0;
  WORD StationId = 0;
  WORD ModuleId = 0;
  /// Modules in the module's connected group.
  WORD ConnectNum = 0;
  WORD Reserved10 = 0;
  DWORD StopFlag = 0;
  /// 1 for start, 0 for stop.
  DWORD StartFlag = 0;
  DWORD Param20 = 0;
  CString Text;
  DWORD Param28 = 0;
  DWORD Param32 = 0;
};
static_assert(sizeof(_SeqMsgParam) == PerBuild(36, 40));
static_assert(offsetof(_SeqMsgParam, CntlId) == 2);
static_assert(offsetof(_SeqMsgParam, StationId) == 4);
static_assert(offsetof(_SeqMsgParam, ModuleId) == 6);
static_assert(offsetof(_SeqMsgParam, ConnectNum) == 8);
static_assert(offsetof(_SeqMsgParam, StopFlag) == 12);
static_assert(offsetof(_SeqMsgParam, StartFlag) == 16);
static_assert(offsetof(_SeqMsgParam, Param20) == 20);
static_assert(offsetof(_SeqMsgParam, Text) == 24);
static_assert(offsetof(_SeqMsgParam, Param28) == PerBuild(28, 32));
static_assert(offsetof(_SeqMsgParam, Param32) == PerBuild(32, 36));

#endif
