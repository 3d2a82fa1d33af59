#include <zodavudaz/control/StartControls.h>

#include <zodavudaz/control/ControlRequests.h>
#include <zodavudaz/database/PostedTrigInfo.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/packets/MessageWords.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>

#include <memory>
#include <new>

namespace {
constexpr BYTE ButtonMsgKind = 2;
constexpr DWORD StartLedWord = 0x400;

WORD PostButton(WORD station, WORD slot, DWORD startFlag) noexcept {
  CModule* module = nullptr;
  if (!GetDataBase()->GetModuleInf(station, slot, &module))
    return ZocNoModule;
  std::unique_ptr<_SeqMsgParam> record(new (std::nothrow) _SeqMsgParam);
  if (record == nullptr || ZosGetMgr()->GetSeqMsgParam(station, slot, record.get()) != 0)
    return ZocNoModule;
  record->MsgKind = ButtonMsgKind;
  record->StartFlag = startFlag;
  // The thread reads the block when it handles the message, perhaps after Exit has destroyed the
  // module record, so it gets a copy that the library keeps.
  if (!PostWithTrigInfo(station, slot, *module, SeqMsgStartStop, record.get()))
    return ZocNoModule;
  // Posted: the receiver deletes the record.
  static_cast<void>(record.release());
  return 0;
}
} // namespace

WORD ZocStartButton(WORD station, WORD slot) noexcept { return PostButton(station, slot, 1); }

WORD ZocStopButton(WORD station, WORD slot) noexcept { return PostButton(station, slot, 0); }

WORD ZocUpdateStartLED(WORD first, WORD second, WORD third) noexcept {
  const DWORD value = first | static_cast<DWORD>(second & 0xFF) << 16 | static_cast<DWORD>(third & 0xFF) << 24;
  // The 32-bit build passes the bits as a LONG; the wider word keeps them without sign extension.
  return GetMgr()->PostGUIThread(GuiMsgStartLed, StartLedWord, static_cast<MsgLParam>(value));
}
