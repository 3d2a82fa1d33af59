// Module queries of CGUIDatabase: GUI data and arrays, settings and help, the sequence table and
// mode, executions, and the display names of stations and modules.
#include <zodavudaz/database/CGUIDatabase.h>

#include <zodavudaz/database/ModuleFrontend.h>
#include <zodavudaz/database/ReplyBytes.h>
#include <zodavudaz/database/ReplyDelivery.h>
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/platform/BlockAllocator.h>
#include <zodavudaz/platform/CommandLine.h>

#include <cstring>

namespace {
constexpr WORD UnknownModule = 205;
constexpr WORD ScratchFailed = 400;
constexpr WORD CntlSeqInfo = 0x400;
constexpr WORD CntlHelp = 0x40E;
constexpr WORD NoDataType = 0xFF;
constexpr WORD ByteType = 0x00;
constexpr WORD QueryOption = 0;
constexpr DWORD JapaneseLanguage = 17;

// The sequence information block: a 32-byte header, then the table.
constexpr std::size_t SeqHeaderBytes = 32;
constexpr std::size_t SeqModeOffset = 24;
constexpr std::size_t SeqLengthOffset = 28;

CRplySync* SharedSync() noexcept { return GetMgr()->GetRplySync(); }

/// The byte GuiGetArray sends.
BYTE GuiArraySelector(BYTE mode) noexcept {
  if (mode == 0)
    return 1;
  return std::strstr(GetCommandLineA(), "-g") != nullptr ? 2 : 0;
}

/// The sequence information a module hands back: its bytes, and how many of them its element
/// count of its type really covers. A type whose width field is above 3 (0xFF included) covers
/// none: no type of the system is that wide, so its count says nothing about the bytes held.
struct SeqInfo {
  const BYTE* Data;
  DWORD Bytes;
};

/// Asks the module for its sequence information; *count = the reply's element count.
WORD AskSeqInfo(const CGUIDatabase& database, WORD station, WORD slot, SeqInfo& info, DWORD* count) noexcept {
  CFeModule* frontend = FindModuleFrontend(database, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  void* data = nullptr;
  WORD type = NoDataType;
  const WORD result = frontend->Query(CmdGroupGui, CntlSeqInfo, &data, &type, count, SharedSync(), QueryOption);
  if (result != 0)
    return result;
  constexpr DWORD AnySize = 0xFFFFFFFF;
  info = SeqInfo{static_cast<const BYTE*>(data), data == nullptr ? 0 : ReplyBytesWithin(type, *count, AnySize)};
  return 0;
}
} // namespace

WORD CGUIDatabase::GuiQuery(WORD station, WORD slot, WORD cntl, _ModulePacket** reply) noexcept {
  CFeModule* frontend = FindModuleFrontend(*this, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  return frontend->Query(CmdGroupGui, cntl, nullptr, NoDataType, 0, reply, SharedSync(), QueryOption);
}

WORD GuiGetArrayTyped(const CGUIDatabase& database, WORD station, WORD slot, WORD cntl, void** data, WORD* type,
                      DWORD* count, BYTE mode) noexcept {
  CFeModule* frontend = FindModuleFrontend(database, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  BYTE selector = GuiArraySelector(mode);
  return frontend->Query(CmdGroupGui, cntl, &selector, ByteType, 1, data, type, count, SharedSync(), QueryOption);
}

WORD SettingQueryPointerTyped(const CGUIDatabase& database, WORD station, WORD slot, WORD cntl, void** data, WORD* type,
                              DWORD* count) noexcept {
  CFeModule* frontend = FindModuleFrontend(database, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  return frontend->Query(CmdGroupQuery, cntl, data, type, count, SharedSync(), QueryOption);
}

WORD HelpQueryPointerTyped(const CGUIDatabase& database, WORD station, WORD slot, void** data, WORD* type, DWORD* count,
                           WORD* fromQuery) noexcept {
  *fromQuery = 0;
  CFeModule* frontend = FindModuleFrontend(database, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  if (frontend->Query(CmdGroupQuery, CntlHelp, data, type, count, SharedSync(), QueryOption) == 0) {
    *fromQuery = 1;
    return 0;
  }
  return frontend->Query(CmdGroupParam, CntlHelp, data, type, count, SharedSync(), QueryOption);
}

WORD CGUIDatabase::GuiGetArray(WORD station, WORD slot, WORD cntl, void** data, DWORD* count, BYTE mode) noexcept {
  WORD replyType = 0;
  return GuiGetArrayTyped(*this, station, slot, cntl, data, &replyType, count, mode);
}

WORD CGUIDatabase::SettingQueryPointer(WORD station, WORD slot, WORD cntl, void** data, DWORD* count) noexcept {
  WORD replyType = 0;
  return SettingQueryPointerTyped(*this, station, slot, cntl, data, &replyType, count);
}

WORD CGUIDatabase::HelpQueryPointer(WORD station, WORD slot, void** data, DWORD* count, WORD* fromQuery) noexcept {
  WORD replyType = 0;
  return HelpQueryPointerTyped(*this, station, slot, data, &replyType, count, fromQuery);
}

// The table length comes from the module: the copy never reaches past the bytes that the reply's
// element count covers.
WORD CGUIDatabase::GetSeqTable(WORD station, WORD slot, void** table, DWORD* size) noexcept {
  SeqInfo info{};
  if (const WORD result = AskSeqInfo(*this, station, slot, info, size); result != 0)
    return result;
  const DWORD length = info.Bytes < SeqHeaderBytes ? 0 : LoadWire<DWORD>(info.Data, SeqLengthOffset);
  if (length == 0 || length > info.Bytes - SeqHeaderBytes) {
    *table = nullptr;
    return UnknownModule;
  }
  void* copy = NewBlock(length);
  if (copy == nullptr)
    return ScratchFailed;
  std::memcpy(copy, info.Data + SeqHeaderBytes, length);
  *table = copy;
  *size = length;
  return 0;
}

WORD CGUIDatabase::GetSeqMode(WORD station, WORD slot, WORD* mode) noexcept {
  SeqInfo info{};
  DWORD count = 0;
  if (const WORD result = AskSeqInfo(*this, station, slot, info, &count); result != 0)
    return result;
  // The mode is read wherever the reply reaches it, also without the rest of the header.
  if (info.Bytes < SeqModeOffset + sizeof(WORD))
    return UnknownModule;
  *mode = LoadWire<WORD>(info.Data, SeqModeOffset);
  return 0;
}

WORD CGUIDatabase::SyncExec(WORD station, WORD slot, WORD cntl, void* data, WORD type, DWORD count) noexcept {
  CFeModule* frontend = FindModuleFrontend(*this, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  return frontend->Query(CmdGroupReqExec, cntl, data, type, count, SharedSync(), QueryOption);
}

CFRONTEND* CGUIDatabase::GetFrontendModule(WORD station, WORD slot) const noexcept {
  return FindModuleFrontend(*this, station, slot);
}

void CGUIDatabase::GuiGetStationName(WORD station, CString& name) const noexcept {
  CStation* found = nullptr;
  name = GetStationInf(station, &found) ? found->Name : CString();
}

void CGUIDatabase::GuiGetModuleName(WORD station, WORD slot, CString& name) const noexcept {
  CModule* module = nullptr;
  if (!GetModuleInf(station, slot, &module)) {
    name.Empty();
    return;
  }
  if ((slot & 0x00F0) != 0)
    name.Format("%d:", (module->ModuleId >> 4) & 0x0F);
  else if (GetMgr()->GetLanguage() == JapaneseLanguage)
    name.Format("\xBD\xDB\xAF\xC4 %d ", slot);
  else
    name.Format("Slot %d ", slot);
  // The product name may fill its array without a terminating zero.
  name += CString(module->ProductName, static_cast<int>(strnlen(module->ProductName, sizeof module->ProductName)));
}
