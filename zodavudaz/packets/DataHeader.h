// The command id and control word of the 16-byte data header that module and semi-module packets share.
#ifndef ZODAVUDAZ_PACKETS_DATAHEADER_H
#define ZODAVUDAZ_PACKETS_DATAHEADER_H

#include <zodavudaz/platform/BaseTypes.h>

/// Command groups, in the low 4 bits of the command id.
constexpr BYTE CmdGroupMask = 0x0F;
constexpr BYTE CmdGroupReqExec = 0x00;
constexpr BYTE CmdGroupEvent = 0x07;
constexpr BYTE CmdGroupRplyExec = 0x08;
constexpr BYTE CmdGroupParam = 0x09;
constexpr BYTE CmdGroupQuery = 0x0A;
constexpr BYTE CmdGroupGui = 0x0B;
constexpr BYTE CmdGroupHelp = 0x0C;
/// Flag bits of the command id above the group.
constexpr BYTE CmdFlagOwnHandlerFirst = 0x10;
constexpr BYTE CmdFlagOwnHandlerOnly = 0x20;
constexpr BYTE CmdFlagReply = 0x80;

/// The control id sits in bits 0 to 11 of the control word, the control offset in bits 12 to 15.
constexpr WORD CntlIdMask = 0x0FFF;
constexpr int CntlOfstShift = 12;

/// The module id byte 0xFF reads as module 9.
constexpr WORD ModuleXIdOf(BYTE moduleId) noexcept { return moduleId == 0xFF ? WORD{9} : WORD{moduleId}; }
/// The control id of a control word.
constexpr WORD MaskedCntlIdOf(WORD cntl) noexcept { return static_cast<WORD>(cntl & CntlIdMask); }
/// The control offset (channel or group member, 0 to 15) of a control word.
constexpr WORD CntlOfstOf(WORD cntl) noexcept { return static_cast<WORD>(cntl >> CntlOfstShift); }
/// A control word from a control id and a control offset.
constexpr WORD MakeCntl(WORD cntlId, WORD offset) noexcept {
  return static_cast<WORD>((offset << CntlOfstShift) | (cntlId & CntlIdMask));
}
/// 1 for an event packet, whatever the flag bits.
constexpr int IsEventCmdId(BYTE cmdId) noexcept { return (cmdId & CmdGroupMask) == CmdGroupEvent ? 1 : 0; }

#endif
